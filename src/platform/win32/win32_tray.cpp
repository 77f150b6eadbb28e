// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_tray.h"

#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window_owner.h"

#include <algorithm>

namespace {

constexpr wchar_t class_name[] = L"vorlunde tray";
constexpr UINT icon_message = WM_APP + 1;
constexpr UINT icon_id = 1;

} // namespace

Win32Tray::Win32Tray(Win32EventSource& events) : events_(events), icon_(make_program_icon()) {}

Win32Tray::~Win32Tray()
{
    remove_icon();
    if (window_)
        destroy_hidden_window(window_, class_name);
}

bool Win32Tray::ensure_window()
{
    if (!window_)
        window_ = create_hidden_window(class_name, &Win32Tray::window_procedure, WS_POPUP, nullptr, this);
    return window_ != nullptr;
}

LRESULT CALLBACK Win32Tray::window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    auto* self = window_owner<Win32Tray>(window, message, lparam);
    if (self && message == icon_message) {
        switch (LOWORD(lparam)) {
        case WM_LBUTTONUP: self->events_.push(Event{.kind = EventKind::tray_click, .button = MouseButton::left}); break;
        case WM_RBUTTONUP: self->events_.push(Event{.kind = EventKind::tray_click, .button = MouseButton::right}); break;
        default: break;
        }
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

NOTIFYICONDATAW Win32Tray::icon_data(const std::string& tip) const
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = icon_id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = icon_message;
    data.hIcon = icon_ ? icon_.get() : LoadIconW(nullptr, IDI_APPLICATION);
    const std::wstring wide = desktop_wide(tip);
    // The tip holds 127 characters and its terminator.
    const std::size_t length = std::min(wide.size(), std::size(data.szTip) - 1);
    std::copy_n(wide.begin(), length, data.szTip);
    return data;
}

void Win32Tray::show_icon(const std::string& tip)
{
    if (!ensure_window())
        return;
    NOTIFYICONDATAW data = icon_data(tip);
    if (shown_ && Shell_NotifyIconW(NIM_MODIFY, &data))
        return;
    shown_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void Win32Tray::remove_icon()
{
    if (!shown_)
        return;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = icon_id;
    Shell_NotifyIconW(NIM_DELETE, &data);
    shown_ = false;
}

void Win32Tray::pop_menu(std::span<const TrayMenuEntry> entries)
{
    if (entries.empty() || !ensure_window())
        return;
    const HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    for (const TrayMenuEntry& entry : entries) {
        AppendMenuW(menu, MF_STRING, entry.id, desktop_wide(entry.text).c_str());
        if (entry.is_default)
            SetMenuDefaultItem(menu, entry.id, FALSE);
    }
    POINT pointer{0, 0};
    GetCursorPos(&pointer);
    // The menu closes when the user clicks elsewhere only if its owner is in the foreground.
    SetForegroundWindow(window_);
    const BOOL chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTALIGN | TPM_RIGHTBUTTON,
                                       pointer.x, pointer.y, 0, window_, nullptr);
    PostMessageW(window_, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (chosen != 0)
        events_.push(Event{.kind = EventKind::tray_menu_choice, .menu_id = static_cast<std::uint16_t>(chosen)});
}
