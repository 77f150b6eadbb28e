// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/window_pixels.h"

#include <algorithm>
#include <array>

std::vector<std::uint8_t> shape_mask(int width, int height, std::span<const Rect> rectangles)
{
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(std::max(width, 0)) * static_cast<std::size_t>(std::max(height, 0)));
    for (const Rect& r : rectangles) {
        const int left = std::clamp(r.left, 0, width);
        const int right = std::clamp(r.right, 0, width);
        for (int y = std::max(r.top, 0); y < std::min(r.bottom, height); ++y)
            std::fill(mask.begin() + y * width + left, mask.begin() + y * width + std::max(left, right), 1);
    }
    return mask;
}

void compose_window_pixels(const BackBuffer& frame, const WindowLook& look, Rect part, int scale,
                           std::span<std::uint32_t> target, int target_stride)
{
    const int frame_scale = frame.scale();
    if (scale < frame_scale || scale % frame_scale != 0)
        return;
    const int repeat = scale / frame_scale;
    const int width = frame.pixel_width();
    const int left = std::clamp(part.left, 0, frame.width()) * frame_scale;
    const int right = std::clamp(part.right, 0, frame.width()) * frame_scale;
    const int top = std::clamp(part.top, 0, frame.height()) * frame_scale;
    const int bottom = std::clamp(part.bottom, 0, frame.height()) * frame_scale;
    const auto shape_width = static_cast<std::size_t>(frame.width()) * static_cast<std::size_t>(look.shape_scale);
    const bool shaped = (look.shape_scale == 1 || look.shape_scale == frame_scale) && !frame.pixels().empty() &&
                        look.shape.size() == shape_width * static_cast<std::size_t>(frame.height()) * static_cast<std::size_t>(look.shape_scale);
    // A frame pixel's shape pixel: the same, or (a shape at 1 under a frame at 2) half.
    const int shape_shift = look.shape_scale == frame_scale ? 0 : 1;
    const std::uint32_t alpha = look.alpha;
    // Each channel times the window's alpha, rounded (c · alpha / 255): premultiplied pixels
    // in three look-ups, which a fade asks for on every pixel of every frame.
    std::array<std::uint32_t, 256> times_alpha;
    for (std::uint32_t c = 0; c < 256; ++c)
        times_alpha[c] = (c * alpha + 127) / 255;
    // No 24-bit colour equals it when there is no colour key.
    const std::uint32_t colour_key = look.colour_key.value_or(0x1000000);
    const std::uint32_t* pixels = frame.pixels().data();
    for (int y = top; y < bottom; ++y) {
        const std::uint32_t* source_row = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        const std::uint8_t* shape_row = shaped ? look.shape.data() + static_cast<std::size_t>(y >> shape_shift) * shape_width : nullptr;
        std::uint32_t* first_line = target.data() + static_cast<std::ptrdiff_t>(y) * repeat * target_stride;
        for (int x = left; x < right; ++x) {
            const std::uint32_t source = source_row[x] & 0xFFFFFF;
            const bool cut = (shape_row && shape_row[x >> shape_shift] == 0) || source == colour_key;
            const std::uint32_t pixel = cut ? 0
                                            : alpha << 24 | times_alpha[source >> 16] << 16 |
                                                  times_alpha[(source >> 8) & 0xFF] << 8 | times_alpha[source & 0xFF];
            if (repeat == 1)
                first_line[x] = pixel;
            else
                std::fill_n(first_line + x * repeat, repeat, pixel);
        }
        for (int line = 1; line < repeat; ++line)
            std::copy(first_line + left * repeat, first_line + right * repeat, first_line + line * target_stride + left * repeat);
    }
}
