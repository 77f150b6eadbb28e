// SPDX-License-Identifier: GPL-3.0-or-later
// Rect: four signed 32-bit client-pixel values. Hit tests include both edges; image copies
// use width right - left and height bottom - top.
#pragma once

#include <cstdint>

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool contains(std::int32_t x, std::int32_t y) const
    {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }

    friend bool operator==(const Rect&, const Rect&) = default;
};
