// SPDX-License-Identifier: GPL-3.0-or-later
// Tray: the notification-area icon and its popup menu. Left and right clicks on the icon
// come back as tray_click events, a chosen menu item as a tray_menu_choice event with the
// item's id. UI thread only.
#pragma once

#include <cstdint>
#include <span>
#include <string>

// One entry of the tray's popup menu; `text` is a skin byte string.
struct TrayMenuEntry {
    std::uint16_t id = 0;
    std::string text;
    bool is_default = false; // drawn in bold
};

class Tray {
public:
    virtual ~Tray() = default;

    // Adds the icon (the program's own) with `tip`, or replaces the tip if it is shown.
    virtual void show_icon(const std::string& tip) = 0;
    // Whether the icon asked for by show_icon is on screen: false where the desktop has no
    // notification area to show it in. Back ends whose icon always shows keep the default.
    virtual bool icon_visible() const { return true; }
    // Removes the icon; harmless when it is not shown.
    virtual void remove_icon() = 0;
    // Pops `entries` as a menu at the pointer, right-aligned to it; returns at once.
    virtual void pop_menu(std::span<const TrayMenuEntry> entries) = 0;
    // The menu as it stands now, given whenever it changes, for tray hosts that draw the menu
    // themselves and read it before any click. Back ends that only pop menus ignore it.
    virtual void set_menu(std::span<const TrayMenuEntry> entries) { static_cast<void>(entries); }
};
