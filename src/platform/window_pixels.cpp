// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/window_pixels.h"

#include <algorithm>

namespace {

std::uint32_t premultiplied(std::uint32_t pixel, std::uint32_t alpha)
{
    const auto channel = [&](int shift) { return (((pixel >> shift) & 0xFF) * alpha + 127) / 255 << shift; };
    return alpha << 24 | channel(16) | channel(8) | channel(0);
}

} // namespace

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
    const int width = frame.width();
    const int left = std::clamp(part.left, 0, width);
    const int right = std::clamp(part.right, 0, width);
    const int top = std::clamp(part.top, 0, frame.height());
    const int bottom = std::clamp(part.bottom, 0, frame.height());
    const bool shaped = look.shape.size() == frame.pixels().size() && !frame.pixels().empty();
    const std::uint32_t alpha = look.alpha;
    for (int y = top; y < bottom; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        std::uint32_t* first_line = target.data() + static_cast<std::ptrdiff_t>(y) * scale * target_stride;
        for (int x = left; x < right; ++x) {
            const std::uint32_t source = frame.pixels()[row + x] & 0xFFFFFF;
            const bool cut = (shaped && look.shape[row + x] == 0) || (look.colour_key && source == *look.colour_key);
            const std::uint32_t pixel = cut ? 0 : alpha == 255 ? (0xFF000000 | source) : premultiplied(source, alpha);
            std::fill_n(first_line + x * scale, scale, pixel);
        }
        for (int repeat = 1; repeat < scale; ++repeat)
            std::copy(first_line + left * scale, first_line + right * scale, first_line + repeat * target_stride + left * scale);
    }
}
