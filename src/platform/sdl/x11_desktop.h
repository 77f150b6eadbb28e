// SPDX-License-Identifier: GPL-3.0-or-later
// X11Desktop: what the SDL back end asks the X server directly, for one window: whether a
// compositing manager runs (whole-window alpha then shows), whether an EWMH window manager
// can move windows (_NET_WM_MOVERESIZE), and the window shape through the X Shape extension
// (ignored when the server lacks it). The display and window are borrowed from SDL.
// Kept apart from the Window interface: Xlib's global `Window` type clashes with it.
// UI thread only.
#pragma once

#include "base/rect.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

struct _XDisplay;
struct SDL_Window;

class X11Desktop {
public:
    // Makes X protocol errors non-fatal for the process. Xlib's default handler ends the
    // program on any asynchronous error, e.g. a request on a window the server has already
    // destroyed while the player closes; such an error changes nothing worth dying for.
    static void survive_protocol_errors();

    // The 32-bit ARGB visual to create windows with, where per-pixel alpha shows: under
    // Xwayland (whose compositor composites every window) or while a compositing manager
    // runs; nullopt elsewhere or without such a visual. Asks the server of $DISPLAY.
    static std::optional<unsigned long> argb_visual();
    // The X11 side of `window`, or nullopt when SDL does not run it on X11.
    static std::optional<X11Desktop> of(SDL_Window* window);
    X11Desktop(_XDisplay* display, unsigned long window);
    _XDisplay* display() const { return display_; }
    unsigned long window() const { return window_; }

    // True when some client owns the _NET_WM_CM_S<screen> selection, or the server is
    // Xwayland (its compositor composites).
    bool compositing() const;
    // True when the window has 32 bits of depth: its pixels' alpha shows.
    bool argb() const;
    // True when an EWMH window manager that supports _NET_WM_MOVERESIZE runs.
    bool window_manager_moves() const;
    bool can_shape() const { return can_shape_; }
    // The X resources the desktop set on the root window (RESOURCE_MANAGER); empty if none.
    std::string resources() const;

    // Shapes the window to the union of `rectangles` (right and bottom exclusive).
    void set_shape(std::span<const Rect> rectangles);
    void clear_shape();
    // Asks the window manager to move the window with the pointer, which is at (root_x, root_y).
    void request_move(std::int32_t root_x, std::int32_t root_y);

private:
    _XDisplay* display_;
    unsigned long window_;
    bool can_shape_ = false;
};
