// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/shape_mask.h"

#include <algorithm>

std::optional<std::string_view> shape_mask_for(std::string_view image_name)
{
    if (image_name.size() <= 5)
        return std::nullopt;
    switch (image_name[5]) {
    case 'd':
    case 'n':
    case 'w':
        return "Data\\panel.rgn";
    case 'i':
        return "Data\\intro.rgn";
    case 'o':
        return "Data\\outro.rgn";
    default:
        return std::nullopt;
    }
}

void apply_shape_mask(SkinBitmap& bitmap, std::span<const std::uint8_t> mask)
{
    constexpr std::uint32_t white = 0xFFFFFFFFu;
    const int columns = std::min<int>(bitmap.width(), shape_mask_width);
    const int rows = std::min<int>(bitmap.height(), shape_mask_height);
    const auto pixels = bitmap.pixels();
    for (int y = 0; y < rows; ++y) {
        const std::size_t mask_row = static_cast<std::size_t>(y) * shape_mask_width;
        if (mask_row >= mask.size())
            return;
        const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(columns), mask.size() - mask_row);
        std::uint32_t* out = pixels.data() + static_cast<std::size_t>(y) * bitmap.width();
        for (std::size_t x = 0; x < count; ++x) {
            if (mask[mask_row + x] != 0)
                out[x] = white;
        }
    }
}
