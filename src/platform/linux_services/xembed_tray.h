// SPDX-License-Identifier: GPL-3.0-or-later
// XembedTray: the tray icon as an XEmbed client of the X tray that owns the
// _NET_SYSTEM_TRAY_S<screen> selection (the freedesktop System Tray Protocol): a small window
// that asks the tray to dock it (SYSTEM_TRAY_REQUEST_DOCK), shows the program's icon scaled to
// the size the tray gives it, and adds a tray_click event to `events` for a left or right
// press. When the tray goes away the icon is dropped (shown() turns false). The display is
// borrowed. UI thread only.
#pragma once

#include "platform/event.h"
#include "platform/linux_services/x_own_window.h"

#include <X11/Xlib.h>

#include <deque>
#include <string>

class XembedTray {
public:
    XembedTray(Display* display, std::deque<Event>& events);
    XembedTray(const XembedTray&) = delete;
    XembedTray& operator=(const XembedTray&) = delete;

    // True when some client owns the system-tray selection of the default screen.
    static bool host_present(Display* display);

    // Docks the icon (named `tip`, a skin byte string), or renames the docked icon.
    void show(const std::string& tip);
    // Destroys the icon window, which undocks it; harmless when it is not shown.
    void remove();
    bool shown() const { return icon_.exists(); }
    // Handles `event` if it belongs to the icon window; true when it did.
    bool handle(const XEvent& event);

private:
    void draw();

    Display* display_;
    std::deque<Event>& events_;
    OwnXWindow icon_;
    int width_ = 0;
    int height_ = 0;
};
