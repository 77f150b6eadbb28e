// SPDX-License-Identifier: GPL-3.0-or-later
// Limits the image decoders put on untrusted files before they allocate anything.
#pragma once

#include <cstdint>

// Largest picture a decoder will allocate, in pixels (32 Mi pixels, 128 MiB as 32-bit
// pixels, e.g. 8192 × 4096): far beyond any window-sized skin picture, far below what a
// few forged header bytes could otherwise ask for. A decoder treats a larger picture, or
// one whose width or height is 0 or does not fit 16 bits, as having no image.
inline constexpr std::uint64_t max_image_pixels = std::uint64_t{1} << 25;

// True when a width × height picture may be allocated.
constexpr bool image_size_allowed(std::int64_t width, std::int64_t height)
{
    return width > 0 && height > 0 && width <= 0xFFFF && height <= 0xFFFF &&
           static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <= max_image_pixels;
}
