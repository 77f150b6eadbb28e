// SPDX-License-Identifier: GPL-3.0-or-later
// Window-shape masks on JPEG backgrounds. A mask is the archive's 600 × 510 byte file (one
// byte per pixel, rows top first, 600 bytes a row, as the window regions use it), or its
// twice-size file of 1200 × 1020 bytes for art at twice the size; pixels whose mask byte is
// not 0 are painted pure white, the layered window's see-through colour. Stateless.
#pragma once

#include "image/skin_bitmap.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

inline constexpr int shape_mask_width = 600;
inline constexpr int shape_mask_height = 510;

// The mask that goes with a JPEG, chosen by the character right after the five-character
// folder prefix ("Data\"): 'd', 'n', 'w' take "Data\panel.rgn", 'i' "Data\intro.rgn",
// 'o' "Data\outro.rgn"; any other character, or a shorter name, takes none.
std::optional<std::string_view> shape_mask_for(std::string_view image_name);

// Paints white every pixel of `bitmap` whose mask byte is not 0. Only the part of the
// 600 × 510 mask that lies inside the bitmap and inside `mask` is used, so neither a
// bitmap of another size nor a short mask file is ever read or written outside.
void apply_shape_mask(SkinBitmap& bitmap, std::span<const std::uint8_t> mask);

// The same for a picture at `scale` (1 or 2): `pixels` holds width·scale × height·scale
// values; `mask` is at `mask_scale` (1 or 2: 600·mask_scale bytes a row, 510·mask_scale
// rows). A mask at 1 cut a picture at 2 with each byte covering two by two pixels.
void apply_shape_mask(std::span<std::uint32_t> pixels, int width, int height, int scale, std::span<const std::uint8_t> mask,
                      int mask_scale);
