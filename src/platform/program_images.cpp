// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/program_images.h"

#include <array>
#include <string_view>

namespace {

constexpr std::uint32_t transparent = 0x00000000;
constexpr std::uint32_t black = 0xFF000000;
constexpr std::uint32_t white = 0xFFFFFFFF;

// Arrow outline: 'X' black edge, '.' white fill, anything else transparent.
constexpr std::array<std::string_view, 19> arrow_rows{
    "X",
    "XX",
    "X.X",
    "X..X",
    "X...X",
    "X....X",
    "X.....X",
    "X......X",
    "X.......X",
    "X........X",
    "X.........X",
    "X......XXXXX",
    "X...X..X",
    "X..XX..X",
    "X.X  X..X",
    "XX   X..X",
    "X     X..X",
    "      X..X",
    "       XX",
};

} // namespace

std::vector<std::uint32_t> arrow_cursor_pixels()
{
    std::vector<std::uint32_t> pixels(program_image_size * program_image_size, transparent);
    for (std::size_t y = 0; y < arrow_rows.size(); ++y) {
        for (std::size_t x = 0; x < arrow_rows[y].size(); ++x) {
            const char c = arrow_rows[y][x];
            if (c == 'X' || c == '.')
                pixels[y * program_image_size + x] = c == 'X' ? black : white;
        }
    }
    return pixels;
}

std::vector<std::uint32_t> program_icon_pixels()
{
    // A leaf-green disc with a light note on it: a round head and a stem with a flag.
    constexpr std::uint32_t disc = 0xFF2E7D4F;
    constexpr std::uint32_t rim = 0xFF1B4D30;
    constexpr std::uint32_t note = 0xFFF4F1DE;
    std::vector<std::uint32_t> pixels(program_image_size * program_image_size, transparent);
    auto put = [&](int x, int y, std::uint32_t colour) { pixels[static_cast<std::size_t>(y * program_image_size + x)] = colour; };
    for (int y = 0; y < program_image_size; ++y) {
        for (int x = 0; x < program_image_size; ++x) {
            const int dx = 2 * x + 1 - program_image_size;
            const int dy = 2 * y + 1 - program_image_size;
            const int distance = dx * dx + dy * dy; // in half pixels, squared
            if (distance <= 30 * 30)
                put(x, y, distance >= 27 * 27 ? rim : disc);
            const int hx = 2 * x + 1 - 26; // note head centred at (13, 21)
            const int hy = 2 * y + 1 - 42;
            if (hx * hx * 9 + hy * hy * 16 <= 36 * 16)
                put(x, y, note);
            if (x >= 15 && x <= 16 && y >= 7 && y <= 21)
                put(x, y, note);
            if (x >= 17 && x <= 21 && y >= 7 + (x - 17) && y <= 9 + (x - 17))
                put(x, y, note);
        }
    }
    return pixels;
}
