// SPDX-License-Identifier: GPL-3.0-or-later
// Window-shape masks on JPEG backgrounds. A mask is the archive's 600 × 510 byte file (one
// byte per pixel, rows top first, 600 bytes a row, as the window regions use it); pixels
// whose mask byte is not 0 are painted pure white, the layered window's see-through
// colour. Stateless.
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
