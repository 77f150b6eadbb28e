// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/page_registry.h"
#include "archive/data_archive.h"
#include "audio/page_playback.h"
#include "base/skin_error.h"
#include "byte_builder.h"
#include "image/back_buffer.h"
#include "platform/headless/headless_fonts.h"
#include "platform/headless/manual_clock.h"
#include "recording_sink.h"
#include "skin/font_registry.h"
#include "skin/plugin_drawer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include <map>
#include <string>
#include <vector>

namespace {

using testing::ElementsAre;

struct FakePlayback final : PagePlayback {
    PlaylistIndex current_index() const override { return index; }
    bool repeat() const override { return repeat_flag; }
    bool random() const override { return random_flag; }
    void seek_percent(float percent) override { seeks.push_back(percent); }
    float playback_fraction() const override { return fraction; }
    bool playing() const override { return fraction > 0.0f; }
    std::int64_t playback_length_ms() const override { return length_ms; }
    void play_track(PlaylistIndex track) override
    {
        plays.push_back(track);
        if (track < playable)
            index = track;
    }
    PlaylistIndex index = 0;
    std::int32_t playable = 100;
    bool repeat_flag = false;
    bool random_flag = false;
    float fraction = 0.0f;
    std::int64_t length_ms = 0;
    std::vector<float> seeks;
    std::vector<std::int32_t> plays;
};

struct RecordingPlugins final : PluginDrawer {
    void draw_plugin(PluginSlot& slot) override { drawn.push_back(&slot); }
    std::vector<PluginSlot*> drawn;
};

constexpr int width = 40;
constexpr int height = 30;

SkinBitmap solid(std::uint32_t colour, std::uint16_t w = width, std::uint16_t h = height)
{
    return SkinBitmap(w, h, std::vector<std::uint32_t>(std::size_t{w} * h, colour));
}

class PageTest : public testing::Test {
protected:
    PageServices services()
    {
        return PageServices{clock, sink, archive, [this](std::string_view name) {
                                loaded.emplace_back(name);
                                const auto image = images.find(std::string(name));
                                if (image == images.end())
                                    throw SkinError("can't find file " + std::string(name) + " in datafile");
                                return image->second;
                            }};
    }
    Page& make_page(std::string_view background = "bg", std::string_view pressed = "down",
                    std::string_view hover = "glow")
    {
        return registry.register_page("panel", std::make_unique<Page>(services(), background, pressed, hover, true),
                                      PageLinks{&back_buffer, &playback, &plugins});
    }
    ManualClock clock{1000};
    RecordingSink sink;
    DataArchive archive;
    FakePlayback playback;
    RecordingPlugins plugins;
    BackBuffer back_buffer{width, height};
    PageRegistry registry;
    std::vector<std::string> loaded;
    std::map<std::string, SkinBitmap> images{{"bg", solid(0xFF0000FFu)},
                                             {"down", solid(0xFF00FF00u)},
                                             {"glow", solid(0xFFFF0000u)},
                                             {"knob", solid(0xFFFFFFFFu, 4, 4)}};
};

TEST_F(PageTest, BitmapsAreSharedWithTheBackgroundWhenUnnamed)
{
    const Page& plain = make_page("", "down", "glow");
    EXPECT_EQ(plain.background(), nullptr);
    EXPECT_EQ(plain.pressed_bitmap(), nullptr);
    EXPECT_TRUE(loaded.empty());

    const Page& shared = make_page("bg", "", "");
    EXPECT_EQ(shared.pressed_bitmap(), shared.background());
    EXPECT_EQ(shared.hover_bitmap(), shared.background());

    const Page& own = make_page("bg", "down", "glow");
    EXPECT_NE(own.pressed_bitmap(), own.background());
    EXPECT_EQ(own.hover_bitmap()->pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(registry.find_page("panel"), &own) << "the newest of equal names";

    try {
        make_page("bg", "missing.bmp", "");
        FAIL() << "no error for a missing image";
    } catch (const SkinError& error) {
        EXPECT_STREQ(error.what(), "can't find file missing.bmp in datafile");
    }
}

TEST_F(PageTest, OverlappingButtonsPostNewestFirstOnReleaseInside)
{
    Page& page = make_page();
    page.add_button({0, 0, 20, 20}, command_of(CommandId::play_current, 1));
    page.add_button({10, 10, 30, 30}, command_of(CommandId::stop_current, 2));
    EXPECT_TRUE(page.on_left_down(15, 15));
    EXPECT_TRUE(page.buttons()[0].pressed() && page.buttons()[1].pressed());
    page.on_left_up(15, 15);
    EXPECT_EQ(sink.take(),
              (std::vector<Command>{command_of(CommandId::stop_current, 2), command_of(CommandId::play_current, 1)}));

    page.on_left_down(5, 5);
    page.on_left_up(25, 25); // left the first button, inside the second (never pressed)
    EXPECT_TRUE(sink.take().empty());
    EXPECT_FALSE(page.buttons()[1].pressed());
}

TEST_F(PageTest, PressThatNoElementTakesPostsClickCommandsAndMovesTheWindow)
{
    Page& page = make_page();
    page.add_click_command({0x10, 1});
    page.add_click_command({0x11, 2});
    page.add_button({0, 0, 5, 5}, command_of(CommandId::play_current));
    page.add_slider(Slider::Orientation::horizontal, Slider::Type::on_release, 0x2001, {10, 0, 30, 5}, "knob");
    page.set_text_browser({0, 10, 20, 29}, nullptr, 10);

    struct Case {
        int x, y;
        bool taken;
    };
    for (const Case& c : {Case{3, 3, true}, Case{20, 2, true}, Case{5, 25, true}, Case{35, 25, false}}) {
        EXPECT_EQ(page.on_left_down(c.x, c.y), c.taken) << c.x << "," << c.y;
        const std::vector<Command> clicks{{0x11, 2}, {0x10, 1}};
        EXPECT_EQ(sink.take(), c.taken ? std::vector<Command>{} : clicks) << c.x << "," << c.y;
        page.on_left_up(-5, -5);
        sink.take();
    }
}

TEST_F(PageTest, HoverChangesOnlyWithNoButtonOrModifierHeld)
{
    Page& page = make_page();
    page.add_button({0, 0, 10, 10}, {1, 0});
    page.add_slider(Slider::Orientation::horizontal, Slider::Type::live, 0x2001, {0, 20, 39, 25}, "knob");
    page.on_mouse_move(5, 5, 0x0008); // control held
    EXPECT_FALSE(page.buttons()[0].hover());
    page.on_mouse_move(5, 5, 0); // nothing held
    EXPECT_TRUE(page.buttons()[0].hover());

    page.on_left_down(10, 22);
    sink.take();
    page.on_mouse_move(20, 22, 0x0001); // dragging with the left button
    EXPECT_TRUE(page.buttons()[0].hover());
    EXPECT_EQ(page.sliders()[0].position(), 18);
    EXPECT_EQ(sink.take(), (std::vector<Command>{command_of(CommandId::slider_changed, 0x2001)}));
}

TEST_F(PageTest, SlidersPostWhileDraggingOnlyWhenLive)
{
    Page& page = make_page();
    page.add_slider(Slider::Orientation::vertical, Slider::Type::on_release, 0x2002, {0, 0, 10, 29}, "knob");
    page.add_slider(Slider::Orientation::horizontal, Slider::Type::live, 0x2003, {0, 0, 39, 5}, "knob");
    page.on_left_down(5, 5); // inside both
    EXPECT_TRUE(sink.take().empty()) << "a press posts nothing";
    page.on_mouse_move(8, 4, 1);
    EXPECT_EQ(sink.take(), (std::vector<Command>{command_of(CommandId::slider_changed, 0x2003)}));
    page.on_left_up(100, 100);
    EXPECT_EQ(sink.take(), (std::vector<Command>{command_of(CommandId::slider_changed, 0x2003),
                                                 command_of(CommandId::slider_changed, 0x2002)}));
    page.on_left_up(5, 5);
    EXPECT_TRUE(sink.take().empty());
}

TEST_F(PageTest, KeyBindingShowsButtonsPressedAndPostsOnceOnRelease)
{
    Page& page = make_page();
    page.add_button({0, 0, 5, 5}, command_of(CommandId::play_current));
    page.add_button({10, 10, 15, 15}, command_of(CommandId::stop_current));
    page.add_key_binding(0x20, command_of(CommandId::play_current));
    page.add_key_binding(0x41, command_of(CommandId::toggle_random)); // matches no button
    page.on_key_down(0x20);
    EXPECT_TRUE(page.buttons()[1].pressed());
    EXPECT_FALSE(page.buttons()[0].pressed());
    EXPECT_TRUE(sink.take().empty());
    page.on_key_up(0x20);
    EXPECT_FALSE(page.buttons()[1].pressed());
    page.on_key_up(0x41);
    EXPECT_EQ(sink.take(), (std::vector<Command>{command_of(CommandId::play_current), command_of(CommandId::toggle_random)}));
}

TEST_F(PageTest, TimersPostOncePerRestartNewestFirst)
{
    Page& page = make_page();
    page.add_timer(0, {0x1, 0});
    page.add_timer(100, {0x2, 0});
    page.add_timer(100, {0x3, 0});
    page.on_timer(5000);
    EXPECT_TRUE(sink.take().empty()) << "never restarted";

    page.restart_timers();
    page.on_timer(clock.now_ms());
    EXPECT_TRUE(sink.take().empty()) << "interval 0 waits for a later tick";
    page.on_timer(clock.now_ms() + 1);
    EXPECT_EQ(sink.take(), (std::vector<Command>{{0x1, 0}}));
    page.on_timer(clock.now_ms() + 100);
    EXPECT_TRUE(sink.take().empty());
    page.on_timer(clock.now_ms() + 101);
    page.on_timer(clock.now_ms() + 500);
    EXPECT_EQ(sink.take(), (std::vector<Command>{{0x3, 0}, {0x2, 0}}));

    clock.advance(1000);
    page.restart_timers();
    page.on_timer(clock.now_ms() + 200);
    EXPECT_EQ(sink.take(), (std::vector<Command>{{0x3, 0}, {0x2, 0}, {0x1, 0}}));
}

TEST_F(PageTest, WheelAreasPostByDirection)
{
    Page& page = make_page();
    page.add_wheel_area({0, 0, 20, 20}, {0xA1, 1}, {0xA2, 2});
    page.add_wheel_area({10, 10, 30, 30}, {0xB1, 1}, {0xB2, 2});
    page.on_wheel(5, 5, 0);
    page.on_wheel(15, 15, 120);
    page.on_wheel(25, 25, -120);
    page.on_wheel(25, 25, 0);
    page.on_wheel(35, 35, 120);
    EXPECT_EQ(sink.take(), (std::vector<Command>{{0, 0}, {0xB1, 1}, {0xA1, 1}, {0xB2, 2}, {0xB2, 2}}));
}

TEST_F(PageTest, EnterLeaveAndRightClickListsPostNewestFirst)
{
    Page& page = make_page();
    page.add_button({0, 0, 5, 5}, {1, 0});
    page.add_lamp({0, 0, 5, 5}, "musiclooped");
    for (std::uint16_t i = 1; i <= 2; ++i) {
        page.add_enter_command({0xE0, i});
        page.add_leave_command({0xF0, i});
        page.add_right_click_command({0xC0, i});
    }
    playback.repeat_flag = true;
    page.on_enter();
    EXPECT_TRUE(page.lamps()[0].lit);
    page.on_right_down();
    page.on_mouse_move(1, 1, 0);
    page.on_left_down(1, 1);
    page.on_leave();
    EXPECT_FALSE(page.buttons()[0].pressed() || page.buttons()[0].hover());
    EXPECT_EQ(sink.take(), (std::vector<Command>{{0xE0, 2}, {0xE0, 1}, {0xC0, 2}, {0xC0, 1}, {0xF0, 2}, {0xF0, 1}}));
}

TEST_F(PageTest, TrackListViewActivationPlaysTheLine)
{
    Page& page = make_page();
    page.set_list_view(ListViewMode::press_and_release, {0, 0, 39, 30}, nullptr, 10);
    for (int i = 0; i < 5; ++i)
        page.add_title("t" + std::to_string(i));
    page.on_left_down(5, 25);
    page.on_left_up(5, 25);
    EXPECT_EQ(sink.take(), (std::vector<Command>{command_of(CommandId::list_line_activated)}));
    page.on_command(command_value(CommandId::list_line_activated), 0);
    EXPECT_THAT(playback.plays, ElementsAre(2));
    EXPECT_EQ(page.list_view()->selected(), 2);
    page.on_command(command_value(CommandId::list_line_activated), 0);
    EXPECT_THAT(playback.plays, ElementsAre(2)) << "the current track is not restarted";

    playback.playable = 3;
    page.on_left_down(5, 5);
    page.on_left_up(5, 5); // line 0 is playable
    page.on_command(command_value(CommandId::list_line_activated), 0);
    page.on_double_click(5, 15);
    EXPECT_EQ(sink.take(), (std::vector<Command>{command_of(CommandId::list_line_activated)})) << "no double click on a mode-1 view";

    page.set_list_view(ListViewMode::double_click, {0, 0, 39, 29}, nullptr, 10);
    page.add_title("a");
    page.add_title("b");
    page.on_left_down(5, 15);
    page.on_left_up(5, 15);
    EXPECT_TRUE(sink.take().empty()) << "a single click on a mode-0 view";
    page.on_double_click(5, 15);
    EXPECT_EQ(sink.take(), (std::vector<Command>{command_of(CommandId::list_line_activated)}));
    page.on_command(command_value(CommandId::list_line_activated), 0);
    EXPECT_THAT(playback.plays, ElementsAre(2, 0, 1));
}

TEST_F(PageTest, CommandReactions)
{
    Page& page = make_page();
    page.add_button({0, 0, 5, 5}, {1, 0});
    for (const char* name : {"musiclooped", "musicrandom", "modulelooped", "other"})
        page.add_lamp({0, 0, 1, 1}, name);
    page.set_list_view(ListViewMode::press_and_release, {0, 0, 39, 30}, nullptr, 10); // 3 lines visible
    for (int i = 0; i < 12; ++i)
        page.add_title("t" + std::to_string(i));
    page.set_text_browser({0, 0, 39, 29}, nullptr, 10);
    page.add_slider(Slider::Orientation::horizontal, Slider::Type::live, 0x2001, {0, 0, 24, 5}, "knob");
    page.add_slider(Slider::Orientation::horizontal, Slider::Type::live, 0x2002, {0, 10, 24, 15}, "knob");
    page.add_slider(Slider::Orientation::horizontal, Slider::Type::live, 0x2003, {0, 20, 24, 25}, "knob");
    const auto lamp = [&](std::string_view name) {
        for (const Lamp& l : page.lamps())
            if (l.name == name)
                return l.lit;
        return false;
    };
    const ListView& view = *page.list_view();

    playback.repeat_flag = playback.random_flag = true;
    page.on_command(command_value(CommandId::toggle_repeat), 0);
    page.on_command(command_value(CommandId::toggle_random), 0);
    page.on_command(command_value(CommandId::looped_module_started), 0);
    EXPECT_TRUE(lamp("musiclooped") && lamp("musicrandom") && lamp("modulelooped"));
    EXPECT_FALSE(lamp("other"));
    page.on_command(command_value(CommandId::unlooped_module_started), 0);
    EXPECT_FALSE(lamp("modulelooped"));

    for (const CommandId id : {CommandId::next_track, CommandId::previous_track, CommandId::track_changed_by_itself}) {
        playback.index = id == CommandId::previous_track ? 1 : 10;
        page.on_command(command_value(id), 0);
        EXPECT_EQ(view.selected(), playback.index);
        EXPECT_EQ(view.top(), id == CommandId::previous_track ? 1 : 8) << std::hex << command_value(id);
    }
    page.on_command(command_value(CommandId::list_scroll_down), 0);
    page.on_command(command_value(CommandId::list_scroll_down), 0);
    EXPECT_EQ(view.top(), 9);
    page.on_command(command_value(CommandId::list_scroll_up), 0);
    EXPECT_EQ(view.top(), 8);

    page.on_left_down(12, 2); // each slider at (12 - 2) / 20 = 50 %
    page.on_left_down(12, 12);
    page.on_left_down(12, 22);
    page.on_command(0x2001, 0x2001); // the wrong id: nothing
    page.on_command(command_value(CommandId::slider_changed), 0x2001);
    EXPECT_THAT(playback.seeks, ElementsAre(50.0f));
    page.on_command(command_value(CommandId::slider_changed), 0x2002);
    EXPECT_EQ(view.top(), 4) << "(50 + 2) % of 9";
    page.on_command(command_value(CommandId::slider_changed), 0x2004);
    EXPECT_THAT(playback.seeks, ElementsAre(50.0f));

    page.on_mouse_move(1, 1, 0);
    page.on_left_down(1, 1);
    page.on_command(command_value(CommandId::minimise), 0);
    EXPECT_FALSE(page.buttons()[0].pressed() || page.buttons()[0].hover());
}

TEST_F(PageTest, TextBrowserFollowsItsCommands)
{
    archive.load_image([] {
        ByteBuilder out;
        archive_entry(out, "Data\\a.txt", "1\n2\n3\n4\n5\n6");
        return out.take();
    }());
    Page& page = make_page();
    page.add_text_item("Data\\a.txt", "ignored without a browser");
    page.set_text_browser({0, 0, 39, 29}, nullptr, 10); // 2 lines visible
    page.add_text_item("Data\\a.txt", "doc");
    EXPECT_THROW(page.add_text_item("Data\\b.txt", "missing"), SkinError);
    page.add_slider(Slider::Orientation::horizontal, Slider::Type::live, 0x2003, {0, 0, 24, 5}, "knob");
    const TextBrowser& browser = *page.text_browser();
    ASSERT_EQ(browser.titles().line_count(), 1);

    page.on_left_down(5, 5);
    page.on_left_up(5, 5);
    ASSERT_TRUE(browser.reading());
    page.on_command(command_value(CommandId::text_scroll_down), 0);
    page.on_command(command_value(CommandId::text_scroll_down), 0);
    EXPECT_EQ(browser.first_line(), 2);
    page.on_command(command_value(CommandId::text_scroll_up), 0);
    EXPECT_EQ(browser.first_line(), 1);
    page.on_left_down(24, 2);
    page.on_command(command_value(CommandId::slider_changed), 0x2003);
    EXPECT_EQ(browser.first_line(), 4) << "(100 + 1) % of 6 - 2 lines";
    page.on_command(command_value(CommandId::text_back), 0);
    EXPECT_FALSE(browser.reading());
}

TEST_F(PageTest, ListsAreDrawnInTheirFontFromTheTopLine)
{
    HeadlessFontSystem font_system;
    FontRegistry fonts(font_system);
    const FontEntry& list_font = fonts.define_font("list", "Sans", 8, 400, {});
    Page& page = make_page("bg", "", "");
    page.set_list_view(ListViewMode::press_and_release, {2, 0, 39, 20}, &list_font, 10);
    for (const char* title : {"c", "b", "Przywr\xf3\xe6", "a"})
        page.add_title(title);
    page.on_command(command_value(CommandId::list_scroll_down), 0);
    page.set_text_browser({0, 20, 39, 29}, &list_font, 5);
    page.draw_page(5);
    ASSERT_EQ(font_system.drawn().size(), 2u) << "two list lines, no titles in the browser";
    EXPECT_EQ(font_system.drawn()[0].text, "Przywróć");
    EXPECT_EQ(font_system.drawn()[0].x, 2);
    EXPECT_EQ(font_system.drawn()[0].y, 0);
    EXPECT_EQ(font_system.drawn()[1].text, "b");
    EXPECT_EQ(font_system.drawn()[1].y, 10);
    EXPECT_EQ(font_system.drawn()[1].rgb, 0x6B4312u);

    archive.load_image([] {
        ByteBuilder out;
        archive_entry(out, "t", "one\ntwo\nthree");
        return out.take();
    }());
    page.add_text_item("t", "doc");
    page.on_left_down(1, 21);
    page.on_left_up(1, 21);
    page.on_command(command_value(CommandId::text_scroll_down), 0);
    page.draw_page(5);
    ASSERT_EQ(font_system.drawn().size(), 5u);
    EXPECT_EQ(font_system.drawn()[4].text, "two") << "reading from the first visible line";
    EXPECT_EQ(font_system.drawn()[4].y, 20);
}

TEST_F(PageTest, FadedPageLetsLowerThenUpperPluginsDraw)
{
    alignas(8) std::byte slots[3][8]{};
    auto slot = [&](int i) -> PluginSlot& { return *reinterpret_cast<PluginSlot*>(&slots[i]); };
    Page& page = make_page("");
    page.add_plugin(Page::PluginLayer::upper, slot(0));
    page.add_plugin(Page::PluginLayer::lower, slot(1));
    page.add_plugin(Page::PluginLayer::lower, slot(2));
    page.draw_page_faded(128.0f);
    EXPECT_THAT(plugins.drawn, ElementsAre(&slot(2), &slot(1), &slot(0)));
}

// Pixel checks: they need the real BackBuffer::blit and blend.
TEST_F(PageTest, DrawPageShowsLampsPressedAndGlowingButtons)
{
    Page& page = make_page();
    page.add_lamp({0, 0, 10, 10}, "musicrandom");
    page.add_button({20, 0, 30, 10}, {1, 0});
    page.add_button({20, 20, 30, 30}, {2, 0});
    page.add_slider(Slider::Orientation::horizontal, Slider::Type::live, 7, {0, 20, 10, 24}, "knob");
    playback.random_flag = true;
    page.on_command(command_value(CommandId::toggle_random), 0);
    page.on_left_down(25, 5);
    page.on_mouse_move(25, 25, 0);
    clock.advance(11);
    page.draw_page(100);

    EXPECT_EQ(back_buffer.pixel(5, 5), 0xFFFF0000u) << "lit lamp from the hover bitmap";
    EXPECT_EQ(back_buffer.pixel(10, 10), 0xFF0000FFu) << "right and bottom edges not copied";
    EXPECT_EQ(back_buffer.pixel(25, 5), 0xFF00FF00u) << "pressed button";
    EXPECT_EQ(back_buffer.pixel(25, 25), 0xFFFF0000u) << "full glow";
    EXPECT_EQ(back_buffer.pixel(1, 21), 0xFFFFFFFFu) << "slider knob";
    EXPECT_EQ(back_buffer.pixel(35, 15), 0xFF0000FFu);

    Page& empty = make_page("");
    empty.add_button({0, 0, 39, 29}, {1, 0});
    empty.draw_page(5);
    EXPECT_EQ(back_buffer.pixel(5, 5), 0xFFFF0000u) << "a page without a background draws nothing";

    Page& faded = make_page("down", "", "");
    faded.draw_page_faded(255.0f);
    EXPECT_EQ(back_buffer.pixel(5, 5), 0xFF00FF00u);
}

TEST_F(PageTest, PagesKeepingOnlyTheDrawnPartsDrawAsWithTheWholePictures)
{
    const auto pattern = [](std::uint32_t base) {
        std::vector<std::uint32_t> pixels;
        for (std::uint32_t y = 0; y < height; ++y) {
            for (std::uint32_t x = 0; x < width; ++x)
                pixels.push_back(0xFF000000u | base | x << 8 | y);
        }
        return SkinBitmap(width, height, std::move(pixels));
    };
    images["down"] = pattern(0x400000);
    images["glow"] = pattern(0x800000);
    const auto frame = [&](bool keep_parts) {
        Page& page = make_page();
        page.add_lamp({0, 0, 10, 10}, "musicrandom");
        page.add_button({20, 0, 30, 10}, {1, 0});
        page.add_button({12, 12, 45, 30}, {2, 0}); // runs past the pictures' right edge
        page.set_list_view(ListViewMode::press_and_release, {2, 14, 12, 30}, nullptr, 5);
        page.add_title("t");
        if (keep_parts) {
            page.keep_drawn_parts();
            EXPECT_EQ(page.hover_bitmap(), nullptr);
        }
        for (int i = 0; i < 4; ++i)
            page.add_title("t"); // the playlist's titles come after the pages
        playback.random_flag = true;
        page.on_command(command_value(CommandId::toggle_random), 0);
        page.on_left_down(25, 5);
        page.on_mouse_move(30, 20, 0);
        page.on_mouse_move(5, 20, 0); // hover line 1, the button glows down from where it got
        playback.index = 2;
        page.on_command(command_value(CommandId::track_changed_by_itself), 0);
        clock.advance(11);
        page.draw_page(40);
        page.on_mouse_move(30, 20, 0);
        clock.advance(11);
        page.draw_page(40);
        return std::vector<std::uint32_t>(back_buffer.pixels().begin(), back_buffer.pixels().end());
    };
    EXPECT_EQ(frame(false), frame(true));
}

TEST_F(PageTest, ListViewStripsComeFromHoverAndPressedBitmaps)
{
    Page& page = make_page();
    page.set_list_view(ListViewMode::press_and_release, {10, 0, 30, 30}, nullptr, 10);
    for (int i = 0; i < 4; ++i)
        page.add_title("t");
    page.on_command(command_value(CommandId::list_scroll_down), 0); // top 1
    page.on_mouse_move(15, 5, 0); // line 1, row 0
    playback.index = 3;
    page.on_command(command_value(CommandId::track_changed_by_itself), 0); // selected line 3, row 2
    page.draw_page(5);
    EXPECT_EQ(back_buffer.pixel(10, 0), 0xFFFF0000u) << "hover strip";
    EXPECT_EQ(back_buffer.pixel(29, 9), 0xFFFF0000u);
    EXPECT_EQ(back_buffer.pixel(30, 5), 0xFF0000FFu) << "the right edge is not copied";
    EXPECT_EQ(back_buffer.pixel(15, 15), 0xFF0000FFu);
    EXPECT_EQ(back_buffer.pixel(15, 25), 0xFF00FF00u) << "selected strip";
}

} // namespace

namespace {

TEST_F(PageTest, UndraggedKnobsFollowPlaybackAndScrolling)
{
    Page& page = make_page();
    page.set_list_view(ListViewMode::press_and_release, {0, 30, 50, 69}, nullptr, 10); // four lines visible
    for (int i = 0; i < 12; ++i)
        page.add_title("t" + std::to_string(i));
    page.add_slider(Slider::Orientation::horizontal, Slider::Type::live, Slider::seek_identifier, {0, 0, 104, 5}, "knob");
    page.add_slider(Slider::Orientation::vertical, Slider::Type::live, Slider::list_scroll_identifier, {60, 0, 65, 24}, "knob");
    const auto seek_knob = [&] { return page.sliders()[1].position(); };
    const auto list_knob = [&] { return page.sliders()[0].position(); };

    playback.fraction = 0.25f;
    page.draw_page(5);
    EXPECT_EQ(seek_knob(), 25) << "a quarter of the 100-pixel travel";
    EXPECT_EQ(list_knob(), 0) << "the list is at its top";

    page.on_command(command_value(CommandId::list_scroll_down), 0); // the list scrolls down one line
    playback.fraction = 2.0f;
    page.draw_page(5);
    EXPECT_EQ(seek_knob(), 100) << "clamped to the travel";
    ASSERT_EQ(page.list_view()->top(), 1);
    EXPECT_EQ(list_knob(), std::lround(20.0 / page.list_view()->max_top())) << "one line of the list's travel";

    page.on_left_down(50, 2); // dragging the seek knob: it stays under the pointer
    playback.fraction = 0.0f;
    page.draw_page(5);
    EXPECT_EQ(seek_knob(), 48);
    page.on_left_up(50, 2);
    page.draw_page(5);
    EXPECT_EQ(seek_knob(), 0) << "released, it follows the track again";
}

} // namespace
