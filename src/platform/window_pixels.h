// SPDX-License-Identifier: GPL-3.0-or-later
// Window pixels for desktops that composite by per-pixel alpha (Wayland, X11's 32-bit ARGB
// visuals): a frame turned into premultiplied ARGB8888, alpha 0 wherever the window's shape or
// its colour key cuts the frame away, the window alpha applied to the rest. Pure functions.
#pragma once

#include "base/rect.h"
#include "image/back_buffer.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// How the window shows its frame.
struct WindowLook {
    // One byte per shape pixel, row after row, non-zero inside the shape; empty: no shape.
    std::span<const std::uint8_t> shape;
    // Shape pixels per skin pixel each way: 1, or the frame's scale.
    int shape_scale = 1;
    // Pixels of exactly this 0xRRGGBB are see-through.
    std::optional<std::uint32_t> colour_key;
    // Whole-window opacity, 0 to 255.
    std::uint8_t alpha = 255;
};

// The shape mask of a `width` by `height` frame: 1 inside the union of `rectangles` (right
// and bottom exclusive, clipped to the frame), 0 elsewhere.
std::vector<std::uint8_t> shape_mask(int width, int height, std::span<const Rect> rectangles);

// Writes `part` of `frame` (skin pixels, clipped to it) into `target`, a picture `scale` times
// the skin's size each way with `target_stride` pixels a row: each frame pixel becomes
// scale / frame.scale() pixels each way (nothing is written when `scale` is not a multiple
// of the frame's scale). `target` must hold the scaled frame; a shape mask must match the
// skin's size times its shape_scale (otherwise it is ignored).
void compose_window_pixels(const BackBuffer& frame, const WindowLook& look, Rect part, int scale,
                           std::span<std::uint32_t> target, int target_stride);
