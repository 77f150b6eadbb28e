// SPDX-License-Identifier: GPL-3.0-or-later
// BMP files as the player reads them (information header of 40 bytes, palette right after
// it, rows bottom first): 24-bit, 8-bit with a palette, and 8-bit run-length encoded
// (compression 1). Pixels are 0xAARRGGBB, rows top first; alpha is dropped. Stateless.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// A picture of at most 256 colours: one palette index per pixel, rows top first.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> palette; // 0xAARRGGBB, 1 to 256 entries
    std::vector<std::uint8_t> indices;  // width × height
};

std::vector<std::uint8_t> encode_bmp24(std::span<const std::uint32_t> pixels, int width, int height);
std::vector<std::uint8_t> encode_bmp8(const IndexedImage& image);
// Runs of equal indices (up to 255) are stored as runs, stretches of differing ones as
// literal groups of 3 to 255; every row but the last ends with an end-of-line code, the
// last with end-of-bitmap.
std::vector<std::uint8_t> encode_rle8(const IndexedImage& image);
