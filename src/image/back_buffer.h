// SPDX-License-Identifier: GPL-3.0-or-later
// BackBuffer: the off-screen frame of the window's size, in SkinBitmap's pixel format
// (0xAARRGGBB, rows top first, pitch = width). Pages, the frame step and plug-ins draw
// into it; the shell hands the finished frame to the window (Window::present).
// Every copy is clipped to the source and to the clip rectangle, which is the whole buffer
// unless set_clip narrows it (a partial redraw repaints one changed rectangle). UI thread only.
#pragma once

#include "base/rect.h"
#include "image/skin_bitmap.h"

#include <cstdint>
#include <span>
#include <vector>

class BackBuffer {
public:
    BackBuffer(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    std::span<const std::uint32_t> pixels() const { return pixels_; }
    std::span<std::uint32_t> pixels() { return pixels_; }
    std::uint32_t pixel(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)]; }

    // Drawing changes only pixels inside `clip` (intersected with the buffer) until reset.
    void set_clip(const Rect& clip);
    void reset_clip();
    const Rect& clip() const { return clip_; }

    // Plain copy of the w × h rectangle at (sx, sy) of `bitmap` to (dx, dy).
    void blit(const SkinBitmap& bitmap, int dx, int dy, int w, int h, int sx, int sy);

    // Source-over blend of the w × h rectangle at (sx, sy) of `bitmap` onto (dx, dy), each
    // of the four channels (alpha included) on its own, with round(v / 255) rounding to
    // nearest (halves up). `alpha` is clamped to 0..255 (NaN counts as 0) and truncated to
    // an integer a.
    //   alpha_format 0, the constant alone:  d = round((s × a + d × (255 − a)) / 255)
    //   alpha_format 1, per-pixel alpha too (a premultiplied source, as Windows'
    //   AlphaBlend with AC_SRC_ALPHA):       s' = round(s × a / 255) for every channel,
    //                                        d = min(255, s' + round(d × (255 − s'alpha) / 255))
    // a = 0 changes nothing; a = 255 with format 0 is a plain copy. Any other alpha_format
    // draws nothing.
    void blend(const SkinBitmap& bitmap, int dx, int dy, int w, int h, int sx, int sy, float alpha,
               std::uint8_t alpha_format);

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
    Rect clip_;
};
