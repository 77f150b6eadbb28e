// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own small images, drawn in code: the icon of the window and the tray, and the
// arrow cursor shown over the whole window (hot spot at its top-left pixel). Pixels are
// 0xAARRGGBB, rows top first, pitch = size; alpha 0 is transparent.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int program_image_size = 32;

std::vector<std::uint32_t> program_icon_pixels();
std::vector<std::uint32_t> arrow_cursor_pixels();
