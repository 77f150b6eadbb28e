// SPDX-License-Identifier: GPL-3.0-or-later
// The whole skin through the headless player: the intro, panel and outro acts in both
// modes, cross-fades, dropped switches, regions, the status line and the plug-in context.
#include "app/player.h"
#include "platform/headless/headless_platform.h"
#include "skin_files.h"
#include "tagged_plugins.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using U = std::uint32_t;

constexpr std::uint32_t intro_rgb = 0x204060;
constexpr std::uint32_t panel1_rgb = 0xC01020;
constexpr std::uint32_t panel2_rgb = 0x10E080;
constexpr std::uint32_t outro_rgb = 0x808000;

// Mapping indices of the page names.
enum : std::uint16_t { to_panel1, to_panel2, to_outro, to_empty };

ConfigChunk attach(std::string plugin)
{
    return make_chunk(ElementId::plugin_attachment, {{"plugin", std::move(plugin)}});
}

// intro, panel1, panel2, outro and empty; panel1 and panel2 carry plug-ins a and b.
SkinFiles whole_skin(bool panel1_fades = false, bool panel2_fades = false, bool with_intro = true)
{
    SkinFiles skin;
    skin.file("Data\\intro.bmp", solid_bmp(600, 510, intro_rgb))
        .file("Data\\panel1.bmp", solid_bmp(600, 510, panel1_rgb))
        .file("Data\\panel2.bmp", solid_bmp(600, 510, panel2_rgb))
        .file("Data\\outro.bmp", solid_bmp(600, 510, outro_rgb));
    std::vector<std::uint8_t> mask(600 * 510, 0);
    mask[0] = 1; // the top-left pixel cut away: two rectangles
    skin.file("Data\\panel.rgn", std::move(mask));
    skin.chunks = {
        make_chunk(ChunkId::plugin, {{"name", "a"}, {"library", "a.so"}}),
        make_chunk(ChunkId::plugin, {{"name", "b"}, {"library", "b.so"}}),
        make_chunk(ChunkId::font, {{"name", "font"}, {"face", "Face"}, {"height", U{12}}}),
        make_chunk(ChunkId::track_list, {{"kind", U{1}}}, {{std::string("Song"), std::string("song.ogg")}}),
        make_chunk(ChunkId::timing, {{"page_switch_ms", U{1000}}}),
        make_chunk(ChunkId::start_page, {{"page", with_intro ? "intro" : "panel1"}}),
        make_chunk(ChunkId::string_mapping, {},
                   {{std::string("panel1"), U{to_panel1}},
                    {std::string("panel2"), U{to_panel2}},
                    {std::string("outro"), U{to_outro}},
                    {std::string("empty"), U{to_empty}}}),
        make_page("panel1", {attach("a")}, "Data\\panel1.bmp", panel1_fades),
        make_page("panel2", {attach("b")}, "Data\\panel2.bmp", panel2_fades),
        make_page("outro", {}, "Data\\outro.bmp"),
        make_page("empty"),
    };
    if (with_intro)
        skin.chunks.push_back(make_page("intro", {}, "Data\\intro.bmp"));
    return skin;
}

std::uint32_t mix(std::uint32_t over, std::uint32_t under, int alpha)
{
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const auto s = static_cast<double>((over >> shift) & 0xFF);
        const auto d = static_cast<double>((under >> shift) & 0xFF);
        result |= static_cast<std::uint32_t>(std::floor((s * alpha + d * (255 - alpha)) / 255.0 + 0.5)) << shift;
    }
    return result;
}

// A player on a skin, driven frame by frame: each step sets the clock, may act, and is
// followed by one command pass and one frame.
class SkinRun {
public:
    SkinRun(bool layered, const SkinFiles& skin) : platform(layered)
    {
        platform.libraries().add("a.so", tagged_plugin_library<'a'>());
        platform.libraries().add("b.so", tagged_plugin_library<'b'>());
        skin.write(dir);
        plugin_calls().clear();
    }

    void step(std::uint64_t ms, std::function<void()> act = {})
    {
        platform.events().push_action([this, ms, act] {
            platform.manual_clock().set(ms);
            if (act)
                act();
        });
    }
    void switch_at(std::uint64_t ms, std::uint16_t mapping_index)
    {
        step(ms, [this, mapping_index] { player.commands().post_command(0x8001, mapping_index); });
    }
    void check_at(std::uint64_t ms, std::function<void()> check) { step(ms, std::move(check)); }

    // Runs the player; standard error must stay empty unless the skin's tracks are missing on
    // purpose (each then gets its "can't play" line, as the engine looks ahead).
    int run(bool tracks_missing = false)
    {
        testing::internal::CaptureStderr();
        const int status = player.run();
        const std::string errors = testing::internal::GetCapturedStderr();
        if (!tracks_missing) {
            EXPECT_EQ(errors, "");
        }
        return status;
    }

    const ShellState& shell() const { return player.shell(); }
    HeadlessWindow& window() const { return *platform.window(); }
    std::uint32_t shown_pixel(int x, int y) const
    {
        return window().frame().at(static_cast<std::size_t>(y) * 600 + static_cast<std::size_t>(x)) & 0xFFFFFF;
    }
    // The last `count` window calls other than alpha changes.
    std::vector<std::string> last_window_calls(std::size_t count) const
    {
        std::vector<std::string> calls;
        for (const std::string& entry : platform.log())
            if (entry.rfind("window", 0) == 0 && entry.rfind("window alpha", 0) != 0)
                calls.push_back(entry);
        calls.erase(calls.begin(), calls.end() - static_cast<std::ptrdiff_t>(std::min(count, calls.size())));
        return calls;
    }

    TempDir dir;
    HeadlessPlatform platform;
    Player player{platform, dir.path()};
};

TEST(Presentation, LayeredActsFadeTheWholeWindowFromIntroToQuit)
{
    // Each check sees the frame of the step before it.
    SkinRun run(true, whole_skin());
    run.check_at(996, [&] { EXPECT_EQ(run.window().alpha(), 0) << "no frame yet"; });
    run.check_at(997, [&] {
        EXPECT_EQ(run.window().alpha(), 253) << "996 ms × 0.255";
        EXPECT_EQ(run.shell().presentation_state, PresentationState::intro_fading_in);
    });
    run.check_at(1500, [&] {
        EXPECT_EQ(run.window().alpha(), 254) << "reached at 997 ms";
        EXPECT_EQ(run.shell().presentation_state, PresentationState::none);
        EXPECT_EQ(run.shown_pixel(300, 200), intro_rgb);
    });
    run.switch_at(2000, to_panel1); // the intro fades out
    run.check_at(2500, [&] {
        EXPECT_EQ(run.shell().presentation_state, PresentationState::intro_fading_out);
        EXPECT_EQ(run.window().alpha(), 255);
        EXPECT_EQ(run.shell().current_page, "intro");
    });
    run.check_at(3000, [&] { EXPECT_EQ(run.window().alpha(), 128) << "255 − trunc(500 × 0.255)"; });
    run.switch_at(3500, to_panel2); // the panel is fading in: dropped
    run.check_at(3600, [&] {
        EXPECT_EQ(run.shell().presentation_state, PresentationState::panel_fading_in);
        EXPECT_EQ(run.shell().current_page, "panel1");
        EXPECT_FALSE(run.shell().page_switch) << "the switch was dropped";
        EXPECT_EQ(run.window().alpha(), 127);
        EXPECT_EQ(run.shown_pixel(300, 200), panel1_rgb);
    });
    run.step(4000);
    run.check_at(4001, [&] {
        EXPECT_EQ(run.shell().presentation_state, PresentationState::none);
        EXPECT_FALSE(run.shell().alpha_in_use);
        EXPECT_EQ(run.window().alpha(), 255);
        EXPECT_EQ(run.shell().current_page, "panel1");
        EXPECT_EQ(run.last_window_calls(2), (std::vector<std::string>{"window colour key off", "window shape 2"}))
            << "no longer layered, with the panel region once the panel has faded in";
        ASSERT_NE(run.player.presentation()->find_region("panel"), nullptr);
        EXPECT_FALSE(run.player.presentation()->find_region("panel")->contains(0, 0));
    });
    run.switch_at(5000, to_outro);
    run.check_at(5001, [&] {
        EXPECT_EQ(run.shell().presentation_state, PresentationState::panel_fading_out);
        EXPECT_TRUE(run.shell().alpha_in_use);
        EXPECT_FALSE(run.shell().repaint) << "repainted at once";
        EXPECT_EQ(run.last_window_calls(2),
                  (std::vector<std::string>{"window colour key 16777215", "window clear shape"}))
            << "layered again, without a region";
    });
    run.step(6000);
    run.check_at(6001, [&] {
        EXPECT_EQ(run.shell().presentation_state, PresentationState::outro_fading_in);
        EXPECT_EQ(run.shell().current_page, "outro");
        EXPECT_EQ(run.window().alpha(), 0);
    });
    run.step(7000);
    run.check_at(7001, [&] {
        EXPECT_EQ(run.window().alpha(), 255);
        EXPECT_EQ(run.shown_pixel(300, 200), outro_rgb);
    });
    run.switch_at(8000, to_empty);
    run.check_at(8500, [&] { EXPECT_EQ(run.shell().presentation_state, PresentationState::closing); });
    run.check_at(8600, [&] { EXPECT_EQ(run.window().alpha(), 128); });
    run.step(9000); // the fade ends: the player quits
    run.step(9999, [] { ADD_FAILURE() << "the loop ran on after the quit"; });
    EXPECT_EQ(run.run(), 0);
    const CallLog& log = run.platform.log();
    const auto last_alpha = std::find_if(log.rbegin(), log.rend(),
                                         [](const std::string& entry) { return entry.rfind("window alpha", 0) == 0; });
    ASSERT_NE(last_alpha, log.rend());
    EXPECT_EQ(*last_alpha, "window alpha 0") << "faded out before quitting";
    EXPECT_EQ(run.platform.events().pending(), 1u);
}

TEST(Presentation, WithoutLayeredModeEveryActChangesAtOnceWithItsRegion)
{
    SkinRun run(false, whole_skin());
    run.step(5);
    run.check_at(10, [&] {
        EXPECT_EQ(run.last_window_calls(2), (std::vector<std::string>{"window shape 1", "window show"}))
            << "the intro region, then the window is shown";
        EXPECT_EQ(run.shell().presentation_state, PresentationState::none) << "the first frame clears the initial state";
        EXPECT_EQ(run.window().alpha(), 255) << "no fades";
        EXPECT_EQ(plugin_calls(), (std::vector<std::string>{"b start", "a start"})) << "newest plug-in first";
    });
    run.switch_at(20, to_panel1);
    run.check_at(30, [&] {
        EXPECT_EQ(run.shell().current_page, "panel1");
        EXPECT_FALSE(run.shell().page_switch);
        EXPECT_EQ(run.shown_pixel(300, 200), panel1_rgb);
        EXPECT_EQ(run.last_window_calls(1), (std::vector<std::string>{"window shape 2"}));
    });
    run.switch_at(40, to_outro);
    run.check_at(50, [&] {
        EXPECT_EQ(run.shell().current_page, "outro");
        EXPECT_EQ(run.shown_pixel(300, 200), outro_rgb);
        EXPECT_EQ(run.last_window_calls(1), (std::vector<std::string>{"window shape 1"}));
    });
    run.switch_at(60, to_empty);
    run.step(70, [] { ADD_FAILURE() << "the loop ran on after the quit"; });
    EXPECT_EQ(run.run(), 0);
    EXPECT_NE(std::find(run.platform.log().begin(), run.platform.log().end(), "window hide"), run.platform.log().end());
}

struct CrossFadeCase {
    bool current_fades;
    bool next_fades;
    std::vector<std::string> plugin_draws; // during one mid-fade frame
};

TEST(Presentation, CrossFadesOfEveryKindBlendTheBackgroundsAndEnd)
{
    const std::vector<CrossFadeCase> cases{
        {false, false, {}},
        {true, false, {"a draw"}},
        {false, true, {"b draw"}},
        {true, true, {"a draw", "b draw"}},
    };
    for (const CrossFadeCase& c : cases) {
        const int kind = (c.current_fades ? 1 : 0) + (c.next_fades ? 2 : 0);
        SkinRun run(false, whole_skin(c.current_fades, c.next_fades, false));
        run.step(50); // the first frame ends the initial presentation state
        run.switch_at(100, to_panel2);
        run.check_at(600, [&] {
            if (kind == 0) {
                EXPECT_EQ(run.shell().current_page, "panel2") << "kind 0 completes in its first step";
                EXPECT_EQ(run.shown_pixel(300, 200), panel2_rgb);
                return;
            }
            EXPECT_TRUE(run.shell().page_switch) << kind;
            EXPECT_EQ(run.shown_pixel(300, 200), panel1_rgb) << kind << ": a = 0 in the first step";
            plugin_calls().clear();
        });
        run.check_at(1101, [&] {
            if (kind == 0)
                return;
            EXPECT_EQ(run.shown_pixel(300, 200), mix(panel2_rgb, panel1_rgb, 127)) << kind << ": a = 127.5";
            EXPECT_EQ(plugin_calls(), c.plugin_draws) << kind;
        });
        // Only the pages on screen hold their pictures; a page decodes them again to return.
        const auto decoded = [&run](const char* page) { return run.player.pages().find_page(page)->pictures_decoded(); };
        run.check_at(1102, [&] {
            EXPECT_EQ(run.shell().current_page, "panel2") << kind;
            EXPECT_FALSE(run.shell().page_switch);
            EXPECT_EQ(run.shown_pixel(300, 200), panel2_rgb) << kind;
            EXPECT_TRUE(decoded("panel2")) << kind;
            EXPECT_FALSE(decoded("panel1")) << kind << ": the page left";
            EXPECT_FALSE(decoded("outro")) << kind << ": never shown";
        });
        run.switch_at(1200, to_panel1);
        run.step(2300); // the switch back ends in this frame
        run.check_at(2400, [&] {
            EXPECT_EQ(run.shown_pixel(300, 200), panel1_rgb) << kind;
            EXPECT_FALSE(decoded("panel2")) << kind;
        });
        EXPECT_EQ(run.run(), 0);
    }
}

TEST(Presentation, TheStatusLineShowsTheCurrentTitleOnPanelPagesOnly)
{
    SkinRun run(false, whole_skin());
    run.step(5);
    run.check_at(10, [&] {
        EXPECT_TRUE(run.platform.font_system()->drawn().empty()) << "not on the intro";
    });
    run.switch_at(20, to_panel1);
    run.check_at(30, [&] {
        const auto& drawn = run.platform.font_system()->drawn();
        ASSERT_FALSE(drawn.empty());
        EXPECT_EQ(drawn.back().x, 51);
        EXPECT_EQ(drawn.back().y, 462);
        EXPECT_EQ(drawn.back().text, "Song");
        EXPECT_EQ(drawn.back().rgb, 0x6B4312u);
        EXPECT_NE(run.shown_pixel(52, 463), panel1_rgb) << "the headless font drew its box";
        const PluginContext& context = run.player.plugins().context();
        EXPECT_STREQ(plugin_string_text(&context.page_name), "panel1");
        EXPECT_EQ(context.playing, 0);
        EXPECT_NE(context.spectrum, nullptr);
    });
    EXPECT_EQ(run.run(), 0);
}

TEST(Presentation, AClockThatWrapsGivesNoNegativeFade)
{
    SkinRun run(true, whole_skin());
    run.platform.manual_clock().set(5000); // the presentation starts here
    run.check_at(100, [&] {});             // earlier than the start: counts as no time passed
    run.check_at(101, [&] {
        EXPECT_EQ(run.window().alpha(), 0);
        EXPECT_EQ(run.shell().presentation_state, PresentationState::intro_fading_in);
    });
    EXPECT_EQ(run.run(), 0);
}

TEST(Presentation, ASkinWithoutIntroOutroOrEmptyPagesRuns)
{
    SkinFiles skin;
    skin.file("Data\\panel.rgn", std::vector<std::uint8_t>{});
    skin.file("Data\\p.bmp", solid_bmp(600, 510, panel1_rgb));
    skin.chunks = {make_chunk(ChunkId::start_page, {{"page", "p"}}),
                   make_chunk(ChunkId::string_mapping, {}, {{std::string("empty"), U{0}}}),
                   make_page("p", {}, "Data\\p.bmp")};
    for (const bool layered : {false, true}) {
        SkinRun run(layered, skin);
        run.switch_at(10, 0); // no page "empty": nothing happens
        run.step(1500);
        run.check_at(2000, [&] {
            EXPECT_EQ(run.shell().current_page, "p");
            EXPECT_EQ(run.shown_pixel(300, 200), panel1_rgb);
            EXPECT_EQ(run.window().alpha(), layered ? 254 : 255);
        });
        run.step(2001, [&] { run.player.commands().post_command(0xffff, 0); });
        EXPECT_EQ(run.run(), 0);
    }
}

TEST(Presentation, ALineClickedTwiceOnThePageBeingLeftStaysTheTrackPlayedAfterTheSwitch)
{
    // Ten titles: lines 0-8 belong to the day page, line 9 to the evening page. The second
    // click of a double click lands on the evening page after the first has started the switch
    // to the day page; its activation is drained once the day page is current.
    const Rect list{0, 100, 200, 260};
    const auto with_list = [&](std::string name) {
        return make_page(std::move(name),
                         {make_chunk(ElementId::track_list_view, {{"area", list}, {"font", "font"}, {"line_height", U{16}}})},
                         {}, true);
    };
    std::vector<FieldValues> titles;
    for (int i = 0; i < 10; ++i)
        titles.push_back({"t" + std::to_string(i), "t" + std::to_string(i) + ".ogg"});
    SkinFiles skin;
    skin.file("Data\\panel.rgn", std::vector<std::uint8_t>{});
    skin.chunks = {make_chunk(ChunkId::font, {{"name", "font"}, {"face", "Face"}}),
                   make_chunk(ChunkId::timing, {{"page_switch_ms", U{1000}}}),
                   make_chunk(ChunkId::start_page, {{"page", "dzien"}}),
                   with_list("dzien"),
                   with_list("wieczor"),
                   make_chunk(ChunkId::track_list, {{"kind", U{1}}}, titles)};
    SkinRun run(false, skin);
    const auto click_line = [&](int line, bool second_of_double) {
        const int y = list.top + 16 * line + 8;
        run.platform.events().push(Event{.kind = EventKind::button_down, .x = 50, .y = y});
        if (second_of_double)
            run.platform.events().push(Event{.kind = EventKind::double_click, .x = 50, .y = y});
        run.platform.events().push(Event{.kind = EventKind::button_up, .x = 50, .y = y});
    };
    const auto playing = [&] { return run.player.audio_engine()->current_index(); };
    run.step(100);
    click_line(9, false);
    run.step(1150);
    run.check_at(1200, [&] {
        EXPECT_EQ(playing(), 9);
        EXPECT_EQ(run.shell().current_page, "wieczor");
    });
    click_line(4, false);
    run.check_at(2100, [&] {
        EXPECT_EQ(playing(), 4);
        EXPECT_TRUE(run.shell().page_switch);
    });
    click_line(4, true);
    run.step(3200); // the switch ends
    run.step(3300); // the queued activation is answered
    run.check_at(3400, [&] {
        EXPECT_EQ(playing(), 4) << "the day page played its own stale selection";
        EXPECT_EQ(run.shell().current_page, "dzien");
        EXPECT_FALSE(run.shell().page_switch);
        EXPECT_EQ(run.player.pages().find_page("dzien")->list_view()->selected(), 4);
    });
    run.step(3500, [&] { run.player.commands().post_command(0xffff, 0); });
    EXPECT_EQ(run.run(true), 0);
}

TEST(Presentation, AMissingPanelMaskEndsStartUpWithTheArchiveMessage)
{
    SkinFiles skin;
    skin.chunks = {make_chunk(ChunkId::start_page, {{"page", "p"}}), make_page("p")};
    TempDir dir;
    skin.write(dir);
    HeadlessPlatform platform;
    Player player(platform, dir.path());
    testing::internal::CaptureStderr();
    EXPECT_EQ(player.run(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "can't find file Data\\panel.rgn in datafile\n");
}

} // namespace

namespace {

TEST(Presentation, TheLoopSleepsUntilSomethingIsDueAndCommandsWakeIt)
{
    SkinFiles skin = whole_skin(true, true);
    // panel2 restarts a 500 ms timer when it becomes current.
    skin.chunks[8] = make_page("panel2", {make_chunk(ElementId::timer, {{"interval_ms", U{500}}, {"command", U{0x7777}}})},
                               "Data\\panel2.bmp", true);
    SkinRun run(false, skin);
    using std::chrono::milliseconds;
    using Delay = std::optional<milliseconds>;
    // What the loop was told after the frame before.
    const auto expect_next_tick = [&](std::uint64_t ms, Delay delay, const char* what) {
        run.check_at(ms, [&run, delay, what] { EXPECT_EQ(run.platform.events().next_tick(), delay) << what; });
    };
    run.step(5);
    run.switch_at(20, to_panel1);
    run.check_at(40, [&run] {
        EXPECT_TRUE(run.platform.audio_device()->is_open());
        EXPECT_LE(run.platform.events().next_tick(), milliseconds(AudioOutput::idle_close_ms))
            << "a still panel: a tick only to close the silent audio output";
    });
    run.step(3100);
    run.check_at(3110, [&run] {
        EXPECT_FALSE(run.platform.audio_device()->is_open()) << "closed after the silence";
        EXPECT_EQ(run.platform.events().next_tick(), std::nullopt) << "a still panel, output closed: no tick until an event";
        EXPECT_EQ(run.platform.events().wait_timeout(), std::nullopt);
    });
    run.switch_at(3200, to_panel2);
    expect_next_tick(3250, milliseconds(10), "the cross-fade and its plug-ins run at the period");
    run.step(4300); // the switch ends; panel2's timer starts
    expect_next_tick(4400, milliseconds(501), "until the page's timer is due: 4300 + 500 + 1");
    run.check_at(4400, [&run] { EXPECT_EQ(run.platform.events().wait_timeout(), 401u) << "the wait sleeps until 4801"; });
    run.check_at(4500, [&run] {
        const int before = run.platform.events().wake_ups();
        std::thread([&run] { run.player.commands().post_command(0x7000, 0); }).join();
        EXPECT_EQ(run.platform.events().wake_ups(), before + 1) << "a post from another thread wakes the loop";
    });
    EXPECT_EQ(run.run(), 0);
}

} // namespace
