// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_images.h"

#include "platform/program_images.h"
#include "platform/win32/win32_bitmap_info.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using OwnedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

OwnedIcon make_icon(const std::vector<std::uint32_t>& pixels, bool is_icon)
{
    constexpr int size = program_image_size;
    const BITMAPINFO info = top_down_bitmap_info(size, size);
    void* bits = nullptr;
    OwnedBitmap colour(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colour || !bits)
        return nullptr;
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));

    // One bit a pixel, most significant first, rows of whole 16-bit words: 1 = transparent.
    constexpr int row_bytes = (size + 15) / 16 * 2;
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(row_bytes * size), 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if ((pixels[static_cast<std::size_t>(y * size + x)] >> 24) == 0)
                mask[static_cast<std::size_t>(y * row_bytes + x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
    OwnedBitmap mask_bitmap(CreateBitmap(size, size, 1, 1, mask.data()));
    if (!mask_bitmap)
        return nullptr;

    ICONINFO icon{};
    icon.fIcon = is_icon ? TRUE : FALSE;
    icon.xHotspot = 0;
    icon.yHotspot = 0;
    icon.hbmMask = mask_bitmap.get();
    icon.hbmColor = colour.get();
    return OwnedIcon(CreateIconIndirect(&icon)); // copies both bitmaps
}

} // namespace

OwnedIcon make_program_icon()
{
    return make_icon(program_icon_pixels(), true);
}

OwnedIcon make_arrow_cursor()
{
    return make_icon(arrow_cursor_pixels(), false);
}
