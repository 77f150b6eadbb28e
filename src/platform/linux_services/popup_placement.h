// SPDX-License-Identifier: GPL-3.0-or-later
// Where the tray's own popup menu goes and which row the pointer is on. The menu's right edge
// is at the pointer and its top at the pointer's row; a menu that would leave the screen is
// moved back onto it (above the pointer when it does not fit below). Pixels, screen
// coordinates, right and bottom exclusive.
#pragma once

#include <cstdint>
#include <optional>

struct PopupOrigin {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

PopupOrigin popup_origin(std::int32_t pointer_x, std::int32_t pointer_y, std::int32_t width, std::int32_t height,
                         std::int32_t screen_width, std::int32_t screen_height);

// The row under menu-relative (x, y) for `rows` rows of `row_height` inside a menu `width`
// wide with `padding` above the first row, or nullopt outside every row.
std::optional<std::size_t> popup_row_at(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t padding,
                                        std::int32_t row_height, std::size_t rows);
