// SPDX-License-Identifier: GPL-3.0-or-later
// decode_png: reads a PNG file of any colour type and depth with libpng into 0xAARRGGBB
// pixels (straight, not premultiplied alpha), rows top first. Stateless.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // width × height
};

// Nothing when libpng rejects the bytes or image_size_allowed (image/image_limits.h) refuses
// the size.
std::optional<RgbaImage> decode_png(std::span<const std::uint8_t> file);
