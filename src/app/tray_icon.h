// SPDX-License-Identifier: GPL-3.0-or-later
// TrayIcon: the notification icon that stands for the window while it is put away, and its
// menu: the restore item first, then the skin's items in configuration order. The item list
// itself runs newest first (menu routing walks it in that order). The icon-shown flag is set
// when the platform tray shows the icon asked for: without a notification area it stays
// false, and the window stays reachable. UI thread only.
#pragma once

#include "base/command.h"
#include "platform/tray.h"

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

class TrayIcon {
public:
    // The restore item's text (code page 1250 bytes of "Przywróć"); its command is
    // CommandId::restore_from_tray.
    static constexpr const char* restore_text = "Przywr\xf3\xe6";
    // The longest tip the notification area shows, in bytes.
    static constexpr std::size_t max_tip_bytes = 63;

    struct Item {
        std::string text;
        Command command;
    };

    // `tip` is read each time the icon is shown; both references must outlive the object.
    // The platform tray gets the menu (the restore item alone) at once.
    TrayIcon(Tray& tray, const std::string& tip);

    // true: adds the icon (again, if it is already shown), if the desktop can show one; false:
    // removes it if it is shown.
    void show_in_tray(bool shown);
    bool icon_shown() const { return shown_; }

    // Adds a configured item: choosing it posts `command`. The platform tray gets it with the
    // next publish_menu, so a skin's items cost one menu build.
    void add_menu_item(std::string text, Command command);
    // Hands the platform tray the whole menu (after loading).
    void publish_menu();
    // The configured items, most recently added first.
    const std::deque<Item>& items() const { return items_; }
    // Takes the configured items out (the skin is loaded again), leaving none; set_items puts
    // them back when that fails. Neither touches the platform tray's menu.
    std::deque<Item> take_items() { return std::exchange(items_, {}); }
    void set_items(std::deque<Item> items) { items_ = std::move(items); }

    // Pops the menu at the pointer.
    void show_menu();

private:
    // The restore item, then the configured items in configuration order.
    std::vector<TrayMenuEntry> menu_entries() const;

    Tray& tray_;
    const std::string& tip_;
    bool shown_ = false;
    std::deque<Item> items_;
};
