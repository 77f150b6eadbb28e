// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_processor.h"
#include "base/skin_error.h"
#include "platform/headless/headless_tray.h"
#include "platform/headless/manual_clock.h"
#include "shell_mocks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing::InSequence;
using testing::Invoke;

// Records every audio call as one line; named tracks exist for every title but "missing".
class RecordingAudio final : public AudioOperations {
public:
    std::vector<std::string> calls;
    int index = 0;

    void play_current() override { calls.push_back("play_current"); }
    void stop_current() override { calls.push_back("stop_current"); }
    void next_track() override { calls.push_back("next_track"); }
    void previous_track() override { calls.push_back("previous_track"); }
    void seek_forward() override { calls.push_back("seek_forward"); }
    void seek_backward() override { calls.push_back("seek_backward"); }
    void toggle_pause() override { calls.push_back("toggle_pause"); }
    void toggle_repeat() override { calls.push_back("toggle_repeat"); }
    void toggle_random() override { calls.push_back("toggle_random"); }
    void play_track(PlaylistIndex i) override { calls.push_back("play_track " + std::to_string(i)); }
    void stop_secondary() override { calls.push_back("stop_secondary"); }
    void play_secondary(const TrackEntry* track) override
    {
        calls.push_back(track == found() ? "play_secondary found" : "play_secondary none");
    }
    const TrackEntry* find_named_track(std::string_view title) const override
    {
        return title == "missing" ? nullptr : found();
    }
    void set_current_volume(int v) override { calls.push_back("set_current_volume " + std::to_string(v)); }
    void slide_current_volume(int v, std::uint32_t ms) override
    {
        calls.push_back("slide_current_volume " + std::to_string(v) + " " + std::to_string(ms));
    }
    void set_secondary_volume(int v) override { calls.push_back("set_secondary_volume " + std::to_string(v)); }
    void slide_secondary_volume(int v, std::uint32_t ms) override
    {
        calls.push_back("slide_secondary_volume " + std::to_string(v) + " " + std::to_string(ms));
    }
    PlaylistIndex current_index() const override { return index; }

private:
    // A stand-in address for "the track that was found"; never dereferenced.
    const TrackEntry* found() const { return reinterpret_cast<const TrackEntry*>(&index); }
};

// A desktop without a notification area: no icon ever shows.
class NoNotificationArea final : public Tray {
public:
    void show_icon(const std::string&) override {}
    bool icon_visible() const override { return false; }
    void remove_icon() override {}
    void pop_menu(std::span<const TrayMenuEntry>) override {}
};

struct Fixture {
    CommandQueue queue;
    ShellState shell;
    ManualClock clock{5000};
    FakePages pages;
    StringMapping mapping;
    CallLog log;
    HeadlessTray tray_platform{log};
    TrayIcon tray{tray_platform, shell.tray_tip};
    testing::StrictMock<MockShellWindow> window;
    RecordingAudio audio;
    CommandProcessor processor{{queue, shell, clock, pages, mapping, tray, window, &audio}};

    Fixture()
    {
        mapping.mapping_init(4);
        mapping.mapping_set(0, "jingle");
        mapping.mapping_set(1, "noc");
        mapping.mapping_set(2, "missing");
        mapping.mapping_set(3, "nowhere");
    }
};

struct AudioCase {
    std::uint16_t id;
    std::uint16_t argument;
    std::vector<std::string> calls;
};

TEST(CommandProcessor, ExecutesTheAudioCommandsOfTheTable)
{
    const std::vector<AudioCase> cases{
        {0x1001, 0, {"play_current"}},
        {0x1002, 0, {"stop_current"}},
        {0x1003, 0, {"next_track"}},
        {0x1004, 0, {"previous_track"}},
        {0x1005, 0, {"seek_forward"}},
        {0x1006, 0, {"seek_backward"}},
        {0x1007, 0, {"toggle_pause"}},
        {0x1008, 0, {"toggle_repeat"}},
        {0x1009, 0, {"toggle_random"}},
        {0x100A, 0, {}},
        {0x100F, 0, {}},
        {0x1010, 0xFFFF, {"play_track 65535"}},
        {0x1011, 0, {"stop_secondary", "play_secondary found"}},
        {0x1011, 2, {"stop_secondary", "play_secondary none"}},
        {0x1012, 0, {"stop_secondary"}},
        {0x1013, 0, {"stop_secondary", "play_secondary found", "set_secondary_volume 0", "slide_secondary_volume 100 700"}},
        {0x1014, 0, {"slide_secondary_volume -2 700"}},
        {0x1015, 0, {"stop_current", "play_current", "set_current_volume 0", "slide_current_volume 100 700"}},
        {0x1016, 0, {"slide_current_volume -2 700"}},
        {0x1017, 42, {"set_current_volume 42"}},
        {0x1018, 0x8000, {"set_secondary_volume 32768"}},
        {0x2000, 0x2001, {}},
        {0x4003, 0, {}},
    };
    for (const AudioCase& c : cases) {
        Fixture f;
        f.shell.fade_ms = 700;
        f.queue.post_command(c.id, c.argument);
        f.processor.process_commands();
        EXPECT_EQ(f.audio.calls, c.calls) << std::hex << "id 0x" << c.id;
    }
}

TEST(CommandProcessor, WindowAndTrayCommands)
{
    Fixture f;
    {
        InSequence order;
        EXPECT_CALL(f.window, hide_window());
        EXPECT_CALL(f.window, show_window());
        EXPECT_CALL(f.window, minimise_window());
        EXPECT_CALL(f.window, quit());
    }
    f.queue.post_command(0xfffd, 0);
    f.processor.process_commands();
    EXPECT_TRUE(f.tray.icon_shown());
    f.queue.post_command(0xffff, 0);
    f.queue.post_command(0xfffe, 0);
    f.queue.post_command(0xfffc, 0);
    f.processor.process_commands();
    EXPECT_FALSE(f.tray.icon_shown());
    EXPECT_EQ(f.log, (CallLog{"tray show vorlunde", "tray remove"}));
}

TEST(CommandProcessor, PluginEventLastsUntilTheNextDrain)
{
    Fixture f;
    f.queue.post_command(0x7001, 3);
    f.processor.process_commands();
    EXPECT_EQ(f.shell.plugin_event, 3);
    f.processor.process_commands();
    EXPECT_EQ(f.shell.plugin_event, 0);
}

TEST(CommandProcessor, EveryCommandReachesTheCurrentPageNewestFirst)
{
    Fixture f;
    f.shell.current_page = "dzien";
    auto& page = f.pages.page("dzien");
    {
        InSequence order;
        EXPECT_CALL(page, on_command(0xBEEF, 7));
        EXPECT_CALL(page, on_command(0x100B, 0));
        EXPECT_CALL(page, on_command(0x1001, 0));
    }
    f.queue.post_command(0x1001, 0);
    f.queue.post_command(0x100B, 0);
    f.queue.post_command(0xBEEF, 7);
    f.processor.process_commands();
    EXPECT_EQ(f.audio.calls, (std::vector<std::string>{"play_current"}));
}

TEST(CommandProcessor, WithoutPagesCommandsStillExecute)
{
    Fixture f;
    f.audio.index = 12;
    f.queue.post_command(0x1001, 0);
    f.processor.process_commands();
    EXPECT_EQ(f.audio.calls, (std::vector<std::string>{"play_current"}));
    EXPECT_FALSE(f.shell.page_switch) << "no track page check without pages";
}

TEST(CommandProcessor, CommandsPostedDuringAPageSwitchRunInTheSameDrainFirst)
{
    Fixture f;
    f.shell.current_page = "dzien";
    auto& day = f.pages.page("dzien");
    auto& night = f.pages.page("noc");
    {
        InSequence order;
        EXPECT_CALL(day, on_leave()).WillOnce(Invoke([&] { f.queue.post_command(0x5001, 0); }));
        EXPECT_CALL(night, on_enter()).WillOnce(Invoke([&] { f.queue.post_command(0x5002, 0); }));
        EXPECT_CALL(day, on_command(0x8001, 1));
        EXPECT_CALL(day, on_command(0x5002, 0));
        EXPECT_CALL(day, on_command(0x5001, 0));
        EXPECT_CALL(day, on_command(0x1001, 0));
    }
    f.queue.post_command(0x1001, 0);
    f.queue.post_command(0x8001, 1);
    f.clock.set(7777);
    f.processor.process_commands();
    EXPECT_TRUE(f.shell.page_switch);
    EXPECT_EQ(f.shell.next_page, "noc");
    EXPECT_EQ(f.shell.page_switch_start_ms, 7777u);
    EXPECT_EQ(f.audio.calls, (std::vector<std::string>{"play_current"}));
}

TEST(CommandProcessor, NothingDrainsWhileASwitchRuns)
{
    Fixture f;
    f.shell.current_page = "dzien";
    f.pages.page("dzien");
    f.shell.page_switch = true;
    f.shell.plugin_event = 9;
    f.queue.post_command(0x1001, 0);
    f.processor.process_commands();
    EXPECT_EQ(f.queue.size(), 1u);
    EXPECT_EQ(f.shell.plugin_event, 9);
    EXPECT_TRUE(f.audio.calls.empty());
}

TEST(CommandProcessor, SwitchToANameNoPageCarriesIsNotStarted)
{
    Fixture f;
    f.shell.current_page = "dzien";
    auto& day = f.pages.page("dzien");
    EXPECT_CALL(day, on_command(0x8001, 3));
    f.queue.post_command(0x8001, 3); // "nowhere"
    f.processor.process_commands();
    EXPECT_FALSE(f.shell.page_switch);
    EXPECT_EQ(f.shell.next_page, "");
}

TEST(CommandProcessor, AnIndexTheMappingLacksThrowsItsText)
{
    Fixture f;
    f.queue.post_command(0x8001, 9);
    EXPECT_THROW(
        {
            try {
                f.processor.process_commands();
            } catch (const SkinError& error) {
                EXPECT_STREQ(error.what(), "string mapping index out of range");
                throw;
            }
        },
        SkinError);
}

struct TrackPageCase {
    std::string current;
    int index;
    std::string expected_switch; // empty: none
};

TEST(CommandProcessor, TrackPageCheck)
{
    const std::vector<TrackPageCase> cases{
        {"dzien", 0, ""},      {"dzien", 8, ""},        {"dzien", 9, "wieczor"}, {"dzien", 13, "wieczor"},
        {"wieczor", 14, "noc"}, {"noc", 16, ""},        {"noc", 17, ""},          {"noc", -1, ""},
        {"intro", 12, ""},     {"outro", 0, ""},        {"panel", 0, "dzien"},    {"Dzien", 0, "dzien"},
    };
    for (const TrackPageCase& c : cases) {
        Fixture f;
        f.shell.current_page = c.current;
        f.audio.index = c.index;
        for (const char* name : {"dzien", "wieczor", "noc", "intro", "outro", "panel", "Dzien"})
            f.pages.page(name);
        if (!c.expected_switch.empty()) {
            EXPECT_CALL(f.pages.page(c.current), on_leave());
            EXPECT_CALL(f.pages.page(c.expected_switch), on_enter());
        }
        f.processor.process_commands();
        EXPECT_EQ(f.shell.page_switch, !c.expected_switch.empty()) << c.current << " at " << c.index;
        EXPECT_EQ(f.shell.next_page, c.expected_switch) << c.current << " at " << c.index;
    }
}

TEST(CommandProcessor, TrackPageMissingFromTheSkinStartsNoSwitch)
{
    Fixture f;
    f.shell.current_page = "panel";
    f.pages.page("panel");
    f.processor.process_commands(); // "dzien" is not registered: no on_leave either
    EXPECT_FALSE(f.shell.page_switch);
}

} // namespace

TEST(CommandProcessor, HideInTrayWithoutANotificationAreaMinimises)
{
    Fixture f;
    NoNotificationArea desktop;
    TrayIcon tray{desktop, f.shell.tray_tip};
    CommandProcessor processor{{f.queue, f.shell, f.clock, f.pages, f.mapping, tray, f.window, &f.audio}};
    EXPECT_CALL(f.window, minimise_window());
    f.queue.post_command(0xfffd, 0);
    processor.process_commands();
    EXPECT_FALSE(tray.icon_shown()) << "the window still draws and takes clicks";
}
