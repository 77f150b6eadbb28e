// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_fonts.h"

#include "image/back_buffer.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr std::uint32_t even_pixel = 0xFF808080;
constexpr std::uint32_t odd_pixel = 0xFF204060;

// GDI text on a buffer of scale 2 whose art is a checkerboard of single pixels (grey at the
// top-left of every two by two block) equals the same text on grey at the skin's size, each
// changed pixel doubled, and leaves the checkerboard wherever the text drew nothing.
TEST(Win32Fonts, TextAtScaleTwoIsTheSkinSizedTextDoubledOverTheArt)
{
    Win32FontSystem fonts;
    const auto font = fonts.create_font("Tahoma", 16, 700);
    constexpr int width = 40;
    constexpr int height = 20;
    BackBuffer single(width, height, 1);
    single.fill(Rect{0, 0, width, height}, even_pixel & 0xFFFFFF);
    BackBuffer twice(width, height, 2);
    for (int y = 0; y < twice.pixel_height(); ++y)
        for (int x = 0; x < twice.pixel_width(); ++x)
            twice.pixels()[static_cast<std::size_t>(y * twice.pixel_width() + x)] = (x + y) % 2 ? odd_pixel : even_pixel;
    const BackBuffer art = twice;

    font->draw_text(single, 3, 1, "Wg", 0x6B4312);
    font->draw_text(twice, 3, 1, "Wg", 0x6B4312);

    int changed = 0;
    for (int y = 0; y < twice.pixel_height(); ++y)
        for (int x = 0; x < twice.pixel_width(); ++x) {
            const std::uint32_t text = single.pixel(x / 2, y / 2);
            const std::uint32_t expected = text != even_pixel ? text : art.pixel(x, y);
            ASSERT_EQ(twice.pixel(x, y), expected) << "at " << x << ", " << y;
            changed += text != even_pixel;
        }
    EXPECT_GT(changed, 0) << "the text drew nothing";
}

} // namespace
