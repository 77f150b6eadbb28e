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
    apply_shape_mask(bitmap.pixels(), bitmap.width(), bitmap.height(), 1, mask, 1);
}

void apply_shape_mask(std::span<std::uint32_t> pixels, int width, int height, int scale, std::span<const std::uint8_t> mask,
                      int mask_scale)
{
    constexpr std::uint32_t white = 0xFFFFFFFFu;
    const int columns = std::min(width, shape_mask_width) * scale;
    const int rows = std::min(height, shape_mask_height) * scale;
    const auto mask_width = static_cast<std::size_t>(shape_mask_width) * static_cast<std::size_t>(mask_scale);
    const auto pitch = static_cast<std::size_t>(width) * static_cast<std::size_t>(scale);
    if (pixels.size() < pitch * static_cast<std::size_t>(height) * static_cast<std::size_t>(scale))
        return;
    for (int y = 0; y < rows; ++y) {
        const std::size_t mask_row = static_cast<std::size_t>(y * mask_scale / scale) * mask_width;
        if (mask_row >= mask.size())
            return;
        const std::span<const std::uint8_t> row = mask.subspan(mask_row, std::min(mask_width, mask.size() - mask_row));
        std::uint32_t* out = pixels.data() + static_cast<std::size_t>(y) * pitch;
        for (int x = 0; x < columns; ++x) {
            const auto at = static_cast<std::size_t>(x * mask_scale / scale);
            if (at < row.size() && row[at] != 0)
                out[x] = white;
        }
    }
}
