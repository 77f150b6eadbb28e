// SPDX-License-Identifier: GPL-3.0-or-later
// XPopupMenu: the tray menu drawn by the program itself, for X trays that show no menus of
// their own: an override-redirect window listing the entries (the default entry in bold),
// its right edge at the pointer, holding the pointer and keyboard while open. Releasing a
// button on an entry adds a tray_menu_choice event with its id to `events` and closes the
// menu; a press outside it or Escape closes it without a choice. The display is borrowed.
// UI thread only.
#pragma once

#include "platform/event.h"
#include "platform/linux_services/x_own_window.h"
#include "platform/tray.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

class XPopupMenu {
public:
    XPopupMenu(Display* display, std::deque<Event>& events);
    ~XPopupMenu();
    XPopupMenu(const XPopupMenu&) = delete;
    XPopupMenu& operator=(const XPopupMenu&) = delete;

    // Opens the menu with `entries` at the pointer (closing one that is open).
    void pop(std::span<const TrayMenuEntry> entries);
    void close();
    // Handles `event` if it belongs to the menu; true when it did.
    bool handle(const XEvent& event);

private:
    struct Row {
        std::uint16_t id = 0;
        std::u16string text; // UCS-2 for the ISO 10646 font
        bool is_default = false;
    };

    XFontStruct* font_of(const Row& row) const;
    int text_width(const Row& row) const;
    std::optional<std::size_t> row_at(int x, int y) const;
    void draw();

    Display* display_;
    std::deque<Event>& events_;
    OwnXWindow window_;
    XFontStruct* regular_ = nullptr;
    XFontStruct* bold_ = nullptr;
    std::vector<Row> rows_;
    int width_ = 0; // inside the border
    int height_ = 0;
    int row_height_ = 0;
    std::optional<std::size_t> highlighted_;
    bool armed_ = false; // the pointer has been on an entry (or pressed in the menu) since it opened
};
