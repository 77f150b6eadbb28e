// SPDX-License-Identifier: GPL-3.0-or-later
// Win32Tray: the notification-area icon through Shell_NotifyIconW, owned by a hidden window
// of class "vorlunde tray" that receives the icon's clicks (left and right button releases
// become tray_click events). The menu pops with TrackPopupMenu at the pointer, right-aligned,
// its default item bold (SetMenuDefaultItem); the choice comes back as a tray_menu_choice
// event. The menu is modal: pop_menu returns when it closes, and the main loop waits meanwhile,
// as it does for any system menu. The event source must outlive the tray. UI thread only.
#pragma once

#include "platform/tray.h"
#include "platform/win32/win32_event_source.h"
#include "platform/win32/win32_images.h"

#include <windows.h>

#include <shellapi.h>

class Win32Tray final : public Tray {
public:
    explicit Win32Tray(Win32EventSource& events);
    ~Win32Tray() override;
    Win32Tray(const Win32Tray&) = delete;
    Win32Tray& operator=(const Win32Tray&) = delete;

    void show_icon(const std::string& tip) override;
    void remove_icon() override;
    void pop_menu(std::span<const TrayMenuEntry> entries) override;

private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    // Creates the hidden window on first use; false when the system refuses.
    bool ensure_window();
    NOTIFYICONDATAW icon_data(const std::string& tip) const;

    Win32EventSource& events_;
    OwnedIcon icon_;
    HWND window_ = nullptr;
    bool shown_ = false;
};
