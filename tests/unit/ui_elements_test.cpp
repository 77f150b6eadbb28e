// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/manual_clock.h"
#include "ui/button.h"
#include "ui/list_view.h"
#include "ui/slider.h"
#include "ui/text_browser.h"
#include "ui/text_item.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> wrap(std::string_view text)
{
    const TextItem item({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    std::vector<std::string> lines;
    for (std::int32_t i = 0; i < item.line_count(); ++i)
        lines.emplace_back(item.line(i));
    return lines;
}

SkinBitmap knob(std::uint16_t width, std::uint16_t height)
{
    return SkinBitmap(width, height, std::vector<std::uint32_t>(std::size_t{width} * height, 0xFF00FF00u));
}

ListView titled_view(int titles, ListViewMode mode = ListViewMode::press_and_release, Rect rect = {0, 0, 200, 100}, std::int32_t line_height = 20)
{
    ListView view(mode, rect, nullptr, line_height);
    for (int i = 0; i < titles; ++i)
        view.add_title("title " + std::to_string(i));
    return view;
}

TEST(Button, GlowRisesByStepAtMostOncePer11MsAndClamps)
{
    ManualClock clock(1000);
    Button button({0, 0, 10, 10}, {1, 2}, clock.now_ms());
    button.set_hover(5, 5);
    clock.advance(10);
    button.advance_glow(clock, 5);
    EXPECT_EQ(button.glow_level(), 0.0f) << "a step within 10 ms of the last one";
    for (int frame = 0; frame < 20; ++frame) {
        clock.advance(11);
        button.advance_glow(clock, 5);
        button.advance_glow(clock, 5); // same tick: no second step
    }
    EXPECT_EQ(button.glow_level(), 100.0f);

    // Down to 96 by steps of 4 (1 step), then up by 5 stops at 100, not 101.
    button.set_hover(50, 50);
    clock.advance(11);
    button.advance_glow(clock, 4);
    EXPECT_EQ(button.glow_level(), 96.0f);
    button.set_hover(0, 0);
    clock.advance(11);
    button.advance_glow(clock, 5);
    EXPECT_EQ(button.glow_level(), 100.0f);

    // Falling below the step ends at 0; a step of 0 never moves.
    button.set_hover(-1, -1);
    for (int frame = 0; frame < 21; ++frame) {
        clock.advance(11);
        button.advance_glow(clock, 7);
    }
    EXPECT_EQ(button.glow_level(), 0.0f);
    button.set_hover(1, 1);
    clock.advance(11);
    button.advance_glow(clock, 0);
    EXPECT_EQ(button.glow_level(), 0.0f);
}

TEST(Slider, PressPositionsKnobAndClamps)
{
    struct Case {
        Slider::Orientation orientation;
        int x, y;
        bool taken;
        std::int32_t position;
    };
    using O = Slider::Orientation;
    // Horizontal track 100..300 with a 20-pixel knob, vertical track 50..250 likewise: range 180.
    const Case cases[] = {
        {O::horizontal, 110, 20, true, 0},  {O::horizontal, 200, 20, true, 90}, {O::horizontal, 300, 20, true, 180},
        {O::horizontal, 99, 20, false, 0},  {O::vertical, 20, 70, true, 0},     {O::vertical, 20, 60, true, 0},
        {O::vertical, 20, 160, true, 90},   {O::vertical, 20, 251, false, 0},
    };
    for (const Case& c : cases) {
        const Rect rect = c.orientation == O::horizontal ? Rect{100, 10, 300, 30} : Rect{10, 50, 30, 250};
        Slider slider(c.orientation, Slider::Type::live, rect, 0x2001, knob(20, 20));
        EXPECT_EQ(slider.range(), 180);
        EXPECT_EQ(slider.press(true, c.x, c.y), c.taken) << c.x << "," << c.y;
        EXPECT_EQ(slider.position(), c.position) << c.x << "," << c.y;
    }
    Slider half(O::horizontal, Slider::Type::live, {100, 10, 300, 30}, 1, knob(20, 20));
    half.press(true, 200, 20);
    EXPECT_FLOAT_EQ(half.percentage(), 50.0f);
}

TEST(Slider, DragMovesOnlyInsideAndReleaseReportsTheDrag)
{
    for (const Slider::Type type : {Slider::Type::live, Slider::Type::on_release}) {
        Slider slider(Slider::Orientation::horizontal, type, {100, 10, 300, 30}, 7, knob(20, 20));
        EXPECT_FALSE(slider.move(200, 20)) << "not dragging";
        EXPECT_EQ(slider.position(), 0);
        EXPECT_FALSE(slider.press(false, -1, -1)) << "release without a press";

        ASSERT_TRUE(slider.press(true, 150, 20));
        EXPECT_EQ(slider.move(200, 20), type == Slider::Type::live);
        EXPECT_EQ(slider.position(), 90);
        EXPECT_FALSE(slider.move(400, 20)) << "outside";
        EXPECT_EQ(slider.position(), 90);
        slider.move(250, 20);
        EXPECT_EQ(slider.position(), 140);
        EXPECT_TRUE(slider.press(false, -1, -1)) << "release after a drag";
        EXPECT_FALSE(slider.press(false, -1, -1));
    }
}

TEST(Slider, KnobAsLongAsTheTrackReportsZeroPercent)
{
    for (const std::uint16_t knob_width : {std::uint16_t{200}, std::uint16_t{250}}) {
        Slider slider(Slider::Orientation::horizontal, Slider::Type::live, {100, 10, 300, 30}, 1, knob(knob_width, 20));
        slider.press(true, 300, 20);
        EXPECT_EQ(slider.position(), 0);
        EXPECT_EQ(slider.percentage(), 0.0f);
    }
}

// The loop sleeps until the knob's next pixel: shortly before that moment the knob must still
// show where it was, a millisecond after it must have moved (float fractions blur the edge).
TEST(Slider, TimeToTheNextPixelMatchesWhereTheKnobMoves)
{
    Slider slider(Slider::Orientation::horizontal, Slider::Type::live, {100, 10, 300, 30}, 1, knob(20, 20)); // range 180
    const std::int64_t lengths_ms[] = {7'000, 60'000, 600'000}; // float fractions resolve 1 ms up to here
    for (const std::int64_t length_ms : lengths_ms) {
        for (float fraction = 0.0f; fraction < 0.999f; fraction += 0.0371f) {
            const auto wait = slider.time_to_next_pixel(fraction, length_ms);
            ASSERT_TRUE(wait);
            const auto position_after = [&](std::int64_t ms) {
                slider.show_fraction(fraction + static_cast<float>(ms) / static_cast<float>(length_ms));
                return slider.position();
            };
            const std::int32_t now = position_after(0);
            EXPECT_EQ(position_after(wait->count() + 1), now + 1) << fraction << " of " << length_ms << " ms";
            if (wait->count() >= 2) {
                EXPECT_EQ(position_after(wait->count() - 2), now) << fraction << " of " << length_ms << " ms";
            }
        }
        EXPECT_FALSE(slider.time_to_next_pixel(1.0f, length_ms)) << "at the end";
    }
    Slider no_travel(Slider::Orientation::horizontal, Slider::Type::live, {100, 10, 300, 30}, 1, knob(200, 20));
    EXPECT_FALSE(no_travel.time_to_next_pixel(0.5f, 60'000));
}

TEST(ListView, VisibleLinesAndLargestTop)
{
    const ListView three = titled_view(3);
    EXPECT_EQ(three.visible_lines(), 3);
    EXPECT_EQ(three.max_top(), 0);
    const ListView ten = titled_view(10);
    EXPECT_EQ(ten.visible_lines(), 5);
    EXPECT_EQ(ten.max_top(), 5);
    EXPECT_EQ(ten.line(0), "title 9") << "the newest title is line 0";
}

TEST(ListView, ScrollingFigures)
{
    ListView view = titled_view(55); // 5 visible, max top 50
    view.scroll_to_percent(0.0f);
    EXPECT_EQ(view.top(), 1);
    view.scroll_to_percent(100.0f);
    EXPECT_EQ(view.top(), 50);
    view.scroll_to_percent(50.0f);
    EXPECT_EQ(view.top(), 26);
    view.scroll_down();
    EXPECT_EQ(view.top(), 27);
    view.scroll_to_percent(100.0f);
    view.scroll_down();
    EXPECT_EQ(view.top(), 50);

    view.scroll_to_percent(0.0f);
    view.scroll_up();
    view.scroll_up();
    EXPECT_EQ(view.top(), 0);

    view.set_selected(12);
    view.show_selected();
    EXPECT_EQ(view.top(), 8);
    view.set_selected(3);
    view.show_selected();
    EXPECT_EQ(view.top(), 3);
}

TEST(ListView, ModeOneActivatesOnPressAndReleaseOfTheSameLine)
{
    ListView view = titled_view(10);
    view.scroll_down();
    EXPECT_TRUE(view.activate(ListViewMode::press_and_release, true, 10, 45)); // row 2
    EXPECT_EQ(view.pressed(), 3);
    EXPECT_FALSE(view.activate(ListViewMode::press_and_release, false, 10, 65)) << "released on another line";
    EXPECT_EQ(view.selected(), 0);
    EXPECT_EQ(view.pressed(), -1);

    EXPECT_TRUE(view.activate(ListViewMode::press_and_release, true, 10, 45));
    EXPECT_TRUE(view.activate(ListViewMode::press_and_release, false, 10, 50));
    EXPECT_EQ(view.selected(), 3);
    EXPECT_FALSE(view.activate(ListViewMode::double_click, true, 10, 50)) << "double click on a mode-1 view";
}

TEST(ListView, ModeZeroSelectsOnlyOnALine)
{
    ListView view = titled_view(2, ListViewMode::double_click);
    EXPECT_FALSE(view.activate(ListViewMode::press_and_release, true, 10, 5)) << "a single click";
    EXPECT_FALSE(view.activate(ListViewMode::double_click, true, 10, 60)) << "below the last line";
    EXPECT_TRUE(view.activate(ListViewMode::double_click, true, 10, 25));
    EXPECT_EQ(view.selected(), 1);
}

TEST(ListView, HoverFollowsThePointerInsideOnly)
{
    ListView view = titled_view(10);
    view.scroll_down();
    view.set_hover(5, 99);
    EXPECT_EQ(view.hover(), 5);
    view.set_hover(201, 50);
    EXPECT_EQ(view.hover(), -1);
}

TEST(ListView, LineHeightZeroShowsNothingAndNeverDivides)
{
    ListView view = titled_view(3, ListViewMode::press_and_release, {0, 0, 100, 100}, 0);
    EXPECT_EQ(view.visible_lines(), 0);
    view.set_hover(5, 5);
    EXPECT_EQ(view.hover(), -1);
    EXPECT_FALSE(view.activate(ListViewMode::press_and_release, true, 5, 5));
}

TEST(TextItem, WrapsAt28Characters)
{
    const std::string letters30 = "abcdefghijklmnopqrstuvwxyzABCD";
    const std::string words = "one two three four five six seven";
    const std::string full_line = std::string(28, 'x');
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"abcd efgh", {"abcd efgh"}},
        {letters30, {letters30.substr(0, 28), "D"}},
        {words, {"one two three four five six", "seven"}},
        {"line one\nline two\r\n\nend", {"line one", "line two\r", "", "end"}},
        // A space in the last column still ends the line at the next word.
        {full_line + " tail", {full_line, "tail"}},
        {full_line + " " + full_line + " z", {full_line, full_line, "z"}},
        {"", {""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wrap(c.text), c.lines) << '"' << c.text << '"';
}

TEST(TextItem, KeepsAtMost65535Lines)
{
    const std::string text(70000, '\n');
    const TextItem item({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    EXPECT_EQ(item.line_count(), 65535);
    EXPECT_EQ(item.line(65534), "");
}

class TextBrowserTest : public testing::Test {
protected:
    void SetUp() override
    {
        // 100 pixels at 20 per line: 5 lines visible.
        browser.add_item("long", TextItem(bytes(long_text)));
        browser.add_item("short", TextItem(bytes("just one line")));
    }
    static std::span<const std::uint8_t> bytes(std::string_view text)
    {
        return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
    }
    void open(int row)
    {
        const int y = 10 + row * 20 + 5;
        browser.press(true, 20, y);
        ASSERT_TRUE(browser.press(false, 20, y));
        ASSERT_TRUE(browser.reading());
    }

    std::string long_text = "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12"; // 12 lines
    TextBrowser browser{{10, 10, 210, 110}, nullptr, 20};
};

TEST_F(TextBrowserTest, ClickOnATitleOpensItsDocument)
{
    EXPECT_TRUE(browser.press(true, 20, 100)) << "inside, below the titles: taken, no activation";
    EXPECT_FALSE(browser.reading());
    EXPECT_FALSE(browser.press(true, 300, 100));
    open(1);
    ASSERT_NE(browser.current_item(), nullptr);
    EXPECT_EQ(browser.current_item()->line_count(), 12);
    browser.back();
    EXPECT_FALSE(browser.reading());
    EXPECT_EQ(browser.current_item(), nullptr);
}

TEST_F(TextBrowserTest, ReadingScrollsWithinTheDocument)
{
    open(1);
    for (int i = 0; i < 10; ++i)
        browser.scroll_down();
    EXPECT_EQ(browser.first_line(), 7) << "12 lines - 5 visible";
    browser.scroll_to_percent(0.0f);
    EXPECT_EQ(browser.first_line(), 0);
    browser.scroll_to_percent(50.0f);
    EXPECT_EQ(browser.first_line(), 3) << "7 * 51 %";
    browser.scroll_to_percent(100.0f);
    EXPECT_EQ(browser.first_line(), 7);
    browser.scroll_up();
    EXPECT_EQ(browser.first_line(), 6);

    browser.back();
    open(0);
    browser.scroll_down();
    browser.scroll_to_percent(100.0f);
    EXPECT_EQ(browser.first_line(), 0) << "a text shorter than the view does not scroll";
}

} // namespace
