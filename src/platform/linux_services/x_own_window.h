// SPDX-License-Identifier: GPL-3.0-or-later
// Small Xlib helpers shared by the back end's own X windows (the XEmbed tray icon and the
// tray's popup menu) and its requests to the window manager:
//   OwnXWindow           one window created on a connection the caller keeps open; it claims
//                        the events addressed to it and destroys the window when asked, when
//                        replaced, or at the end of its life.
//   send_client_message  a 32-bit ClientMessage of a named type, as EWMH and XEmbed use.
// UI thread only.
#pragma once

#include <X11/Xlib.h>

#include <array>

class OwnXWindow {
public:
    explicit OwnXWindow(Display* display) : display_(display) {}
    ~OwnXWindow() { destroy(); }
    OwnXWindow(const OwnXWindow&) = delete;
    OwnXWindow& operator=(const OwnXWindow&) = delete;

    // Takes `window`, destroying the one held before.
    void adopt(::Window window);
    // The window, or None.
    ::Window id() const { return id_; }
    bool exists() const { return id_ != None; }
    // True when `event` is addressed to the window.
    bool receives(const XEvent& event) const { return id_ != None && event.xany.window == id_; }
    // Destroys the window, if any, and flushes the request.
    void destroy();
    // Forgets a window the server has already destroyed.
    void forget() { id_ = None; }

private:
    Display* display_;
    ::Window id_ = None;
};

// Sends a ClientMessage of `type` concerning `about` to `target` with `mask` as the event mask.
void send_client_message(Display* display, ::Window target, ::Window about, const char* type,
                         const std::array<long, 5>& data, long mask);
