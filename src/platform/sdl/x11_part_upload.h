// SPDX-License-Identifier: GPL-3.0-or-later
// X11PartUpload: shows rectangles of an SDL window surface in its X window without a round
// trip. SDL_UpdateWindowSurfaceRects waits for the server after every update (XSync: its
// shared-memory image must not change before the server has read it), which costs the UI
// thread a sleep and a wake-up per frame. Here the parts' pixels are copied into the requests
// themselves (XPutImage) and sent at once (XFlush), so the surface may change right after.
// Meant for the small parts of a still page (a moving knob, a time); whole frames still go
// through SDL's shared memory. Owns a graphics context on the display borrowed from SDL,
// which must outlive it. UI thread only.
#pragma once

#include "platform/sdl/x11_desktop.h"

#include <SDL.h>

#include <array>
#include <memory>
#include <span>

struct _XGC;

class X11PartUpload {
public:
    // For the window of `desktop`, or nullptr when its depth is neither 24 nor 32 bits.
    static std::unique_ptr<X11PartUpload> of(const X11Desktop& desktop);
    // `colour_masks`: the red, green and blue masks of the window's visual.
    X11PartUpload(_XDisplay* display, unsigned long window, int depth, std::array<unsigned long, 3> colour_masks);
    ~X11PartUpload();
    X11PartUpload(const X11PartUpload&) = delete;
    X11PartUpload& operator=(const X11PartUpload&) = delete;

    // Puts `parts` (inside the surface) of `surface`, whose pixels are 32 bits in the window's
    // own layout (SDL_PIXELFORMAT_ARGB8888 or RGB888), at the same place in the window.
    // False when Xlib cannot take the surface's layout: nothing was sent.
    bool put(const SDL_Surface& surface, std::span<const SDL_Rect> parts);

private:
    _XDisplay* display_;
    unsigned long window_;
    int depth_;
    std::array<unsigned long, 3> colour_masks_;
    _XGC* gc_;
};
