// SPDX-License-Identifier: GPL-3.0-or-later
// Window: the player's one borderless top-level window and what the shell asks of it.
// Created by Platform::create_window; destroying the object destroys the window.
// UI thread only.
//
// A back end implements:
//   show / hide / minimise        visibility
//   layered()                     whether whole-window alpha and the colour key take effect
//   set_alpha / set_colour_key    layered attributes (no effect when not layered)
//   set_shape / clear_shape       window shape from rectangles (rectangular when unsupported)
//   begin_move                    drag the window with the pointer until the left button is up
//   present / present_parts       show a finished frame, whole or the parts that changed
//   screen_rect                   the window's rectangle on the screen
//   frame_scale                   the scale of frames the window shows pixel for pixel
//
// Everything is in skin pixels but frames and shapes, which may also come at frame_scale():
// the core draws at 2 only when the window's frame_scale() is 2 and the skin has art at
// twice the size, and then gives shapes of that art at 2 as well.
#pragma once

#include "base/rect.h"
#include "image/back_buffer.h"

#include <cstdint>
#include <span>
#include <string>

// What a window is created with. The title is a skin byte string; the back end converts it
// for the desktop. x, y is the top-left corner on the screen.
struct WindowSpec {
    std::string title;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

class Window {
public:
    virtual ~Window() = default;

    virtual void show() = 0;
    virtual void hide() = 0;
    virtual void minimise() = 0;

    // True when whole-window alpha and the colour key really show (a compositing manager runs).
    virtual bool layered() const = 0;
    // Whole-window opacity, 0 (invisible) to 255 (opaque).
    virtual void set_alpha(std::uint8_t alpha) = 0;
    // Pixels of exactly `colour` (0xRRGGBB) become see-through while the key is enabled.
    virtual void set_colour_key(bool enabled, std::uint32_t colour) = 0;

    // Shapes the window to the union of `rectangles` (right and bottom exclusive), in pixels
    // of `scale` per skin pixel each way: 1, or frame_scale() for a shape at twice the size.
    // An empty list hides every pixel.
    virtual void set_shape(std::span<const Rect> rectangles, int scale) = 0;
    // Makes the window rectangular again.
    virtual void clear_shape() = 0;

    // Starts moving the window with the pointer; (x, y) is the client position of the left
    // press that started it. The move ends when the left button is released.
    virtual void begin_move(std::int32_t x, std::int32_t y) = 0;

    // Shows `frame` in the window, whose top-left pixel goes to the client's top-left. The
    // frame's scale is 1 (the window repeats its pixels as its own scale asks) or
    // frame_scale() (shown pixel for pixel).
    virtual void present(const BackBuffer& frame) = 0;
    // Shows the `parts` of `frame` (rectangles inside it in skin pixels, right and bottom
    // exclusive); the rest of the window keeps what the earlier presents showed.
    virtual void present_parts(const BackBuffer& frame, std::span<const Rect> parts) = 0;

    // 2 when the window's pixels are two by two per skin pixel, so that a frame drawn at
    // scale 2 is shown pixel for pixel; 1 where the window shows skin pixels or keeps to
    // doubling frames itself. Fixed for the window's life.
    virtual int frame_scale() const = 0;

    // The window's rectangle on the screen (right and bottom exclusive).
    virtual Rect screen_rect() const = 0;
};
