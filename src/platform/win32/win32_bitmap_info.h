// SPDX-License-Identifier: GPL-3.0-or-later
// top_down_bitmap_info: the BITMAPINFO of a 32-bit DIB of width × height pixels, rows top
// first, in the BackBuffer's pixel order (0xAARRGGBB as a little-endian word is B, G, R, A).
#pragma once

#include <windows.h>

inline BITMAPINFO top_down_bitmap_info(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
