// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_placement.h"
#include "base/desktop_text.h"
#include "platform/click_counter.h"
#include "platform/colour_key_shape.h"
#include "platform/program_images.h"
#include "platform/window_pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>

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

TEST(WindowPixels, CutAwayPartsAreClearAndTheRestPremultiplied)
{
    // A 3 by 1 frame: grey, the colour key (white), dark red; the shape leaves out the first.
    BackBuffer frame(3, 1);
    frame.pixels()[0] = 0x00808080;
    frame.pixels()[1] = 0x12FFFFFF; // the alpha byte does not count
    frame.pixels()[2] = 0x00800000;
    const std::vector<Rect> inside{{1, 0, 3, 1}};
    const auto shape = shape_mask(3, 1, inside);
    struct Case {
        bool shaped;
        std::optional<std::uint32_t> key;
        std::uint8_t alpha;
        std::array<std::uint32_t, 3> pixels;
    };
    const Case cases[] = {
        {false, std::nullopt, 255, {0xFF808080, 0xFFFFFFFF, 0xFF800000}},
        {true, std::nullopt, 255, {0, 0xFFFFFFFF, 0xFF800000}},
        {true, 0xFFFFFF, 255, {0, 0, 0xFF800000}},
        {false, 0xFFFFFF, 128, {0x80404040, 0, 0x80400000}}, // 0x80 × 128 / 255 = 64.25
        {false, std::nullopt, 0, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        std::array<std::uint32_t, 3> target{};
        const WindowLook look{.shape = c.shaped ? std::span(shape) : std::span<const std::uint8_t>(),
                              .colour_key = c.key, .alpha = c.alpha};
        compose_window_pixels(frame, look, Rect{0, 0, 3, 1}, 1, target, 3);
        EXPECT_EQ(target, c.pixels) << c.shaped << " " << c.key.has_value() << " " << int{c.alpha};
    }
}

TEST(WindowPixels, ScaledPartsRepeatEachPixelAndStayInsideThePart)
{
    BackBuffer frame(2, 2);
    std::ranges::copy(std::array<std::uint32_t, 4>{1, 2, 3, 4}, frame.pixels().begin());
    std::vector<std::uint32_t> target(16, 0xDEADBEEF);
    // Only the bottom-right pixel, and a part reaching past the frame, which is clipped.
    compose_window_pixels(frame, WindowLook{}, Rect{1, 1, 9, 9}, 2, target, 4);
    const std::uint32_t o = 0xDEADBEEF;
    const std::uint32_t d = 0xFF000004;
    EXPECT_EQ(target, (std::vector<std::uint32_t>{o, o, o, o, o, o, o, o, o, o, d, d, o, o, d, d}));
}

TEST(WindowPixels, AFrameAtScale2IsShownPixelForPixelWithAShapeAtEitherScale)
{
    // A 2 by 1 skin drawn at scale 2: four by two pixels, each its own.
    BackBuffer frame(2, 1, 2);
    std::ranges::copy(std::array<std::uint32_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}, frame.pixels().begin());
    const std::vector<Rect> right_skin_pixel{{1, 0, 2, 1}};
    const std::vector<Rect> one_pixel_at_2{{3, 1, 4, 2}};
    const auto shape_at_1 = shape_mask(2, 1, right_skin_pixel);
    const auto shape_at_2 = shape_mask(4, 2, one_pixel_at_2);
    const std::uint32_t o = 0;
    const struct {
        const char* what;
        WindowLook look;
        int scale;
        std::vector<std::uint32_t> pixels;
    } cases[] = {
        {"no shape", WindowLook{}, 2, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004, 0xFF000005, 0xFF000006, 0xFF000007, 0xFF000008}},
        {"a skin-pixel shape", WindowLook{.shape = shape_at_1, .shape_scale = 1, .colour_key = std::nullopt, .alpha = 255}, 2, {o, o, 0xFF000003, 0xFF000004, o, o, 0xFF000007, 0xFF000008}},
        {"a shape at 2", WindowLook{.shape = shape_at_2, .shape_scale = 2, .colour_key = std::nullopt, .alpha = 255}, 2, {o, o, o, o, o, o, o, 0xFF000008}},
        {"a window at 1 can't show it", WindowLook{}, 1, std::vector<std::uint32_t>(8, 0xDEADBEEF)},
    };
    for (const auto& c : cases) {
        std::vector<std::uint32_t> target(8, 0xDEADBEEF);
        compose_window_pixels(frame, c.look, Rect{0, 0, 2, 1}, c.scale, target, 4);
        EXPECT_EQ(target, c.pixels) << c.what;
    }
}

TEST(ShapeMask, UnionOfRectanglesClippedToTheFrame)
{
    const std::vector<Rect> rectangles{{-5, 0, 1, 1}, {1, 1, 9, 9}, {2, 0, 1, 1} /* empty */};
    EXPECT_EQ(shape_mask(3, 2, rectangles), (std::vector<std::uint8_t>{1, 0, 0, 0, 1, 1}));
    EXPECT_TRUE(shape_mask(0, 0, rectangles).empty());
}

TEST(ClickCounter, QuickPressesInOneSpotMakeARun)
{
    struct Press {
        std::int32_t x, y;
        std::uint64_t ms;
        int count;
    };
    const Press presses[] = {
        {10, 10, 1000, 1},
        {12, 9, 1400, 2},   // a double click
        {12, 9, 1800, 3},   // a third press continues the run: not a double click
        {12, 9, 2301, 1},   // 501 ms later: a new run
        {45, 9, 2400, 1},   // 33 pixels away: a new run
        {13, 41, 2500, 2},  // 32 pixels each way from the last press: still its spot
    };
    ClickCounter counter;
    for (const Press& p : presses)
        EXPECT_EQ(counter.press(p.x, p.y, p.ms), p.count) << p.x << "," << p.y << " at " << p.ms;
}
