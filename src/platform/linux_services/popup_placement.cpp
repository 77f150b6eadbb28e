// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/popup_placement.h"

#include <algorithm>

PopupOrigin popup_origin(std::int32_t pointer_x, std::int32_t pointer_y, std::int32_t width, std::int32_t height,
                         std::int32_t screen_width, std::int32_t screen_height)
{
    std::int32_t x = pointer_x - width;
    std::int32_t y = pointer_y;
    if (y + height > screen_height)
        y = pointer_y - height;
    x = std::clamp(x, 0, std::max(0, screen_width - width));
    y = std::clamp(y, 0, std::max(0, screen_height - height));
    return {x, y};
}

std::optional<std::size_t> popup_row_at(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t padding,
                                        std::int32_t row_height, std::size_t rows)
{
    if (x < 0 || x >= width || y < padding || row_height <= 0)
        return std::nullopt;
    const auto row = static_cast<std::size_t>((y - padding) / row_height);
    if (row >= rows)
        return std::nullopt;
    return row;
}
