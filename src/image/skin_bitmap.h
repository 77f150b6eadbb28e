// SPDX-License-Identifier: GPL-3.0-or-later
// SkinBitmap: a decoded skin picture in the back buffer's pixel format: 32-bit pixels
// 0xAARRGGBB (bytes blue, green, red, alpha in memory), rows top first, no padding.
// Decoded BMP and JPEG pixels are opaque (alpha 0xFF). An empty bitmap has no image
// (width and height 0); drawing it changes nothing. Width and height are 16-bit, as the
// decoders cut them. A bitmap may carry its art at twice the size (2·width × 2·height
// pixels, same format), which a back buffer at scale 2 draws instead of doubling the pixels.
// Value type; owned by the page or control that loaded it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

class SkinBitmap {
public:
    SkinBitmap() = default;
    // `pixels` holds width × height values.
    SkinBitmap(std::uint16_t width, std::uint16_t height, std::vector<std::uint32_t> pixels);

    bool has_image() const { return !pixels_.empty(); }
    std::uint16_t width() const { return width_; }
    std::uint16_t height() const { return height_; }
    std::span<const std::uint32_t> pixels() const { return pixels_; }
    std::span<std::uint32_t> pixels() { return pixels_; }
    std::uint32_t pixel(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x)]; }

    // The art at twice the size; `pixels` holds 2·width × 2·height values (else it is dropped).
    void set_twice_size(std::vector<std::uint32_t> pixels);
    bool has_twice_size() const { return !twice_size_.empty(); }
    // Empty without art at twice the size; rows of 2·width pixels.
    std::span<const std::uint32_t> twice_size_pixels() const { return twice_size_; }

private:
    std::uint16_t width_ = 0;
    std::uint16_t height_ = 0;
    std::vector<std::uint32_t> pixels_;
    std::vector<std::uint32_t> twice_size_;
};
