// SPDX-License-Identifier: GPL-3.0-or-later
// BackBuffer: the off-screen frame of the window's size, in SkinBitmap's pixel format
// (0xAARRGGBB, rows top first, no padding). Pages, the frame step and plug-ins draw into it;
// the shell hands the finished frame to the window (Window::present).
// Every drawing call takes skin pixels. At scale 2 the buffer holds two by two pixels per
// skin pixel: bitmaps with art at twice the size are drawn from that art, others (and fills)
// with each pixel doubled, so a frame drawn without such art equals the scale-1 frame doubled.
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
    // `scale` 2 holds two by two pixels per skin pixel; any other value means 1.
    BackBuffer(int width, int height, int scale = 1);

    // The size in skin pixels.
    int width() const { return width_; }
    int height() const { return height_; }
    // Buffer pixels per skin pixel, each way: 1 or 2.
    int scale() const { return scale_; }
    // The size in buffer pixels: width() · scale() by height() · scale().
    int pixel_width() const { return width_ * scale_; }
    int pixel_height() const { return height_ * scale_; }
    // The buffer pixels, pixel_width() a row.
    std::span<const std::uint32_t> pixels() const { return pixels_; }
    std::span<std::uint32_t> pixels() { return pixels_; }
    // The buffer pixel at (x, y), 0 <= x < pixel_width(), 0 <= y < pixel_height().
    std::uint32_t pixel(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(pixel_width()) + static_cast<std::size_t>(x)]; }

    // Changes the scale, keeping the picture (each pixel doubled, or every other one kept).
    void set_scale(int scale);

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

    // Fills `area` (clipped) with the opaque colour 0xFF000000 | rgb.
    void fill(const Rect& area, std::uint32_t rgb);

    // Skin pixels for code that writes pixels itself (plug-ins), width() a row: at scale 1
    // the buffer's own pixels; at scale 2 a canvas of the skin's size whose address stays
    // until set_scale. open_canvas fills it with the top-left pixel of every two by two block;
    // close_canvas writes each canvas pixel that differs from that pixel back, doubled.
    // Both do nothing at scale 1.
    std::span<std::uint32_t> canvas() { return scale_ == 1 ? std::span(pixels_) : std::span(canvas_); }
    void open_canvas();
    void close_canvas();

private:
    // A source's rows as this buffer's pixels see them: `factor` 2 doubles every pixel.
    struct Source {
        const std::uint32_t* data;
        std::int64_t stride;  // source pixels a row
        std::int64_t width;   // in buffer pixels
        std::int64_t height;
        int factor;
    };
    Source source_of(const SkinBitmap& bitmap) const;
    // `count` pixels of the source's buffer row `y` from column `x`: the source's own row,
    // or the doubled pixels in row_.
    const std::uint32_t* source_row(const Source& source, std::int64_t x, std::int64_t y, std::int64_t count)
    {
        return source.factor == 1 ? source.data + y * source.stride + x : doubled_row(source, x, y, count);
    }
    const std::uint32_t* doubled_row(const Source& source, std::int64_t x, std::int64_t y, std::int64_t count);

    int width_;
    int height_;
    int scale_;
    std::vector<std::uint32_t> pixels_;
    std::vector<std::uint32_t> canvas_; // scale 2 only
    std::vector<std::uint32_t> row_;    // a doubled source row
    Rect clip_;
};
