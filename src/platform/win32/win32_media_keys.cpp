// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_media_keys.h"

#include "platform/win32/win32_window_owner.h"

#include <array>

namespace {

constexpr wchar_t class_name[] = L"vorlunde media keys";
constexpr std::array<UINT, 4> media_keys{VK_MEDIA_PLAY_PAUSE, VK_MEDIA_STOP, VK_MEDIA_NEXT_TRACK, VK_MEDIA_PREV_TRACK};
// Not defined by every MinGW header: a key held down registers once.
constexpr UINT no_repeat = 0x4000;

} // namespace

std::optional<MediaRequest> media_request_of_key(WPARAM virtual_key)
{
    switch (virtual_key) {
    case VK_MEDIA_PLAY_PAUSE: return MediaRequest::play_pause;
    case VK_MEDIA_STOP: return MediaRequest::stop;
    case VK_MEDIA_NEXT_TRACK: return MediaRequest::next;
    case VK_MEDIA_PREV_TRACK: return MediaRequest::previous;
    default: return std::nullopt;
    }
}

std::optional<MediaRequest> media_request_of_app_command(int command)
{
    switch (command) {
    case APPCOMMAND_MEDIA_PLAY_PAUSE: return MediaRequest::play_pause;
    case APPCOMMAND_MEDIA_PLAY: return MediaRequest::play;
    case APPCOMMAND_MEDIA_PAUSE: return MediaRequest::pause;
    case APPCOMMAND_MEDIA_STOP: return MediaRequest::stop;
    case APPCOMMAND_MEDIA_NEXTTRACK: return MediaRequest::next;
    case APPCOMMAND_MEDIA_PREVIOUSTRACK: return MediaRequest::previous;
    default: return std::nullopt;
    }
}

Win32MediaKeys::Win32MediaKeys(Win32EventSource& events) : events_(events)
{
    window_ = create_hidden_window(class_name, &Win32MediaKeys::window_procedure, 0, HWND_MESSAGE, this);
    if (!window_)
        return;
    // The hot key's id is its virtual-key code; a refused key stays with its holder.
    for (const UINT key : media_keys)
        RegisterHotKey(window_, static_cast<int>(key), no_repeat, key);
}

Win32MediaKeys::~Win32MediaKeys()
{
    if (!window_)
        return;
    for (const UINT key : media_keys)
        UnregisterHotKey(window_, static_cast<int>(key));
    destroy_hidden_window(window_, class_name);
}

LRESULT CALLBACK Win32MediaKeys::window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    auto* self = window_owner<Win32MediaKeys>(window, message, lparam);
    if (self && message == WM_HOTKEY) {
        if (const auto request = media_request_of_key(HIWORD(lparam)))
            self->events_.push(Event{.kind = EventKind::media_request, .media_request = *request});
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}
