// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_placement.h"
#include "base/desktop_text.h"
#include "platform/colour_key_shape.h"
#include "platform/program_images.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct PlacementCase {
    Rect desktop;
    int width;
    int height;
    std::int32_t x;
    std::int32_t y;
};

TEST(WindowPlacement, CentresAndKeepsTheCornerOnScreen)
{
    const std::vector<PlacementCase> cases{
        {{0, 0, 1024, 768}, 600, 510, 212, 129},
        {{0, 0, 1025, 768}, 600, 509, 212, 129}, // halves truncate
        {{100, 50, 1124, 818}, 600, 510, 212, 129},
        {{0, 0, 500, 400}, 600, 510, 0, 0},       // larger than the desktop
        {{0, 0, 599, 509}, 600, 510, 0, 0},       // -1 / 2 truncates to 0
    };
    for (const PlacementCase& c : cases) {
        const auto [x, y] = centred_origin(c.desktop, c.width, c.height);
        EXPECT_EQ(x, c.x) << c.desktop.right << "x" << c.desktop.bottom;
        EXPECT_EQ(y, c.y) << c.desktop.right << "x" << c.desktop.bottom;
    }
}

TEST(DesktopText, KeepsUtf8AndReadsEverythingElseAsWindows1250)
{
    EXPECT_EQ(to_desktop_text("plain"), "plain");
    EXPECT_EQ(to_desktop_text("Przywr\xc3\xb3\xc4\x87"), "Przywr\xc3\xb3\xc4\x87");
    EXPECT_EQ(to_desktop_text("Przywr\xf3\xe6"), "Przywr\xc3\xb3\xc4\x87");
    EXPECT_EQ(to_desktop_text("\x8a\x9c"), "\xc5\xa0\xc5\x9b");           // Š ś
    EXPECT_EQ(to_desktop_text("\xc0\x80"), "\xc5\x94\xe2\x82\xac");       // overlong UTF-8 is not UTF-8
    EXPECT_EQ(to_desktop_text("a\x98z"), "a\xef\xbf\xbdz");               // undefined in the code page
    EXPECT_EQ(to_desktop_text("\x8a\xb9"), "\xc5\xa0\xc4\x85");           // Š ą
    EXPECT_EQ(to_desktop_text(""), "");
}

TEST(DesktopText, MessagesAreOneLineWithControlBytesEscaped)
{
    const std::string prefix = "config file corrupted, can't find page named ";
    const struct {
        std::string name, shown;
    } cases[] = {
        {"intro", "intro"},
        {"Data\\panel.bmp", "Data\\panel.bmp"},                     // a backslash stays as it is
        {"two\nlines\r", "two\\x0Alines\\x0D"},
        {std::string("a\0b\x1b[2J\x7f", 8), "a\\x00b\\x1B[2J\\x7F"},
        {"Przywr\xf3\xe6\n", "Przywr\xc3\xb3\xc4\x87\\x0A"},        // not UTF-8: Windows-1250
        {"Przywr\xc3\xb3\xc4\x87", "Przywr\xc3\xb3\xc4\x87"},       // UTF-8 kept
        {"nel\xc2\x85" "end", "nel\\xC2\\x85end"},                  // a C1 control in UTF-8
        {"\x85\x9f", "\xe2\x80\xa6\xc5\xba"},                       // printable in Windows-1250
    };
    for (const auto& c : cases)
        EXPECT_EQ(to_message_line(prefix + c.name), prefix + c.shown) << c.shown;
}

TEST(ColourKeyShape, CoversExactlyThePixelsThatAreNotTheKey)
{
    BackBuffer frame(6, 4);
    std::ranges::fill(frame.pixels(), 0xFFFFFFFF);
    // rows 0-1: x 1..2 and 4; row 2: nothing; row 3: x 0..5 (alpha differs, colour is not key)
    for (int y : {0, 1}) {
        for (int x : {1, 2, 4})
            frame.pixels()[y * 6 + x] = 0xFF102030;
    }
    for (int x = 0; x < 6; ++x)
        frame.pixels()[3 * 6 + x] = 0x00FFFFFE;
    const auto shape = colour_key_shape(frame, 0xFFFFFF);
    EXPECT_EQ(shape, (std::vector<Rect>{{1, 0, 3, 2}, {4, 0, 5, 2}, {0, 3, 6, 4}}));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool keyed = (frame.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
            const bool covered = std::ranges::any_of(shape, [&](const Rect& r) {
                return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            });
            EXPECT_EQ(covered, !keyed) << x << "," << y;
        }
    }
}

TEST(ProgramImages, CursorHotSpotIsItsTopLeftPixel)
{
    const auto cursor = arrow_cursor_pixels();
    ASSERT_EQ(cursor.size(), static_cast<std::size_t>(program_image_size * program_image_size));
    EXPECT_EQ(cursor[0] >> 24, 0xFFu) << "the tip of the arrow is at (0, 0)";
    EXPECT_EQ(cursor[program_image_size - 1] >> 24, 0u);
    const auto icon = program_icon_pixels();
    ASSERT_EQ(icon.size(), cursor.size());
    EXPECT_EQ(icon[0] >> 24, 0u) << "corners outside the disc are transparent";
    EXPECT_EQ(icon[16 * program_image_size + 8] >> 24, 0xFFu);
}

} // namespace
