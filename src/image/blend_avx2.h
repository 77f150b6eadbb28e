// SPDX-License-Identifier: GPL-3.0-or-later
// Per-pixel-alpha blending of one row with AVX2, eight pixels at a time, for the back
// buffer's blend where the processor has AVX2 (about half the work per pixel of the 128-bit
// path). The same exact formula as BackBuffer::blend with alpha format 1.
#pragma once

#include <cstddef>
#include <cstdint>

// True when this processor runs blend_premultiplied_row_avx2.
bool cpu_has_avx2();

// Blends the first whole groups of eight pixels of `source` (premultiplied 0xAARRGGBB,
// scaled by `constant` / 255 first when it is below 255) over `dest`; returns how many
// pixels it did (count rounded down to a multiple of 8). Call only when cpu_has_avx2().
std::size_t blend_premultiplied_row_avx2(std::uint32_t* dest, const std::uint32_t* source, std::size_t count,
                                         std::uint16_t constant);
