// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/player.h"
#include "byte_builder.h"
#include "platform/headless/headless_platform.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>

namespace {

// The log from the first entry equal to `from` on.
CallLog log_from(const CallLog& log, const std::string& from)
{
    return CallLog(std::find(log.begin(), log.end(), from), log.end());
}

// A skin of the root chunk alone, with an archive holding an empty window-shape mask.
void write_head(const TempDir& dir, std::uint16_t id = 0x0258)
{
    dir.write("tarnel.cfg", ByteBuilder().u16(id).u32(13).string("Hi").u16(600).u16(510).bytes());
    ByteBuilder archive;
    archive_entry(archive, "Data\\panel.rgn", "");
    dir.write("tarnel.dat", archive.bytes());
}

struct RunResult {
    int status;
    std::string error_output;
};

RunResult run_player(HeadlessPlatform& platform, const TempDir& dir)
{
    Player player(platform, dir.path());
    testing::internal::CaptureStderr();
    const int status = player.run();
    return RunResult{status, testing::internal::GetCapturedStderr()};
}

struct StartErrorCase {
    bool write_file;
    std::uint16_t first_id;
    std::string text;
};

TEST(Player, StartUpErrorsShowTheirTextCreateNoWindowAndExitOne)
{
    const std::vector<StartErrorCase> cases{
        {false, 0, "can't open config file"},
        {true, 0x0259, "config file corrupted, first chunk should be 0x0258"},
    };
    for (const StartErrorCase& c : cases) {
        TempDir dir;
        if (c.write_file)
            write_head(dir, c.first_id);
        HeadlessPlatform platform;
        const RunResult result = run_player(platform, dir);
        EXPECT_EQ(result.status, 1) << c.text;
        EXPECT_EQ(result.error_output, c.text + "\n");
        ASSERT_EQ(platform.message_boxes().size(), 1u);
        EXPECT_EQ(platform.message_boxes()[0].caption, "tarnel leaf runtime exception");
        EXPECT_EQ(platform.message_boxes()[0].text, c.text);
        EXPECT_EQ(platform.windows_created(), 0);
        EXPECT_EQ(platform.log(), (CallLog{"message box"})) << "no shut-down step acts without a window";
    }
}

TEST(Player, AWarningAndADamagedNameReachStandardErrorAndTheBoxAsOneLineEach)
{
    // The start page's name carries a line feed, an escape and a byte that is not UTF-8; the
    // root chunk promises 100 bytes more than the file holds.
    TempDir dir;
    write_head(dir);
    ByteBuilder config;
    config.u16(0x0258).u32(200).string("Hi").u16(600).u16(510).u16(0x3030).u32(14).string("a\nb\x1b[c\xff");
    dir.write("tarnel.cfg", config.bytes());
    HeadlessPlatform platform;
    const RunResult result = run_player(platform, dir);
    const std::string message = "config file corrupted, can't find page named a\\x0Ab\\x1B[c\xcb\x99";
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.error_output, "config file shorter than its header says: 27 of 200 bytes\n" + message + "\n");
    ASSERT_EQ(platform.message_boxes().size(), 1u);
    EXPECT_EQ(platform.message_boxes()[0].text, message);
}

TEST(Player, CreatesTheConfiguredWindowCentredRunsAndQuitsWithZero)
{
    TempDir dir;
    write_head(dir);
    HeadlessPlatform platform(false, Rect{0, 0, 1000, 700});
    platform.events().push(Event{.kind = EventKind::timer_tick});
    platform.events().push_action([&] {
        const HeadlessWindow* window = platform.window();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->spec().title, "Hi");
        EXPECT_EQ(window->spec().x, 200);
        EXPECT_EQ(window->spec().y, 95);
        EXPECT_EQ(window->spec().width, 600);
        EXPECT_EQ(window->spec().height, 510);
        EXPECT_TRUE(window->visible());
        EXPECT_EQ(window->present_count(), 1) << "one frame after the first event";
        EXPECT_EQ(window->frame().size(), 600u * 510u);
    });
    platform.events().push(Event{.kind = EventKind::close_request});
    platform.events().push(Event{.kind = EventKind::timer_tick}); // never reached
    const RunResult result = run_player(platform, dir);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.error_output, "");
    EXPECT_TRUE(platform.message_boxes().empty());
    EXPECT_EQ(platform.events().pending(), 1u);
    EXPECT_EQ(platform.log(), (CallLog{"window create", "timer start 10", "window shape 1", "window show", "timer stop",
                                       "window clear shape", "window destroy"}))
        << "without layered mode the window is shown with the intro region when the presentation starts";
}

TEST(Player, ALayeredWindowStartsShownWithTheWhiteKeyAndAlphaZero)
{
    TempDir dir;
    write_head(dir);
    HeadlessPlatform platform(true);
    run_player(platform, dir);
    EXPECT_EQ(platform.log(), (CallLog{"window create", "window colour key 16777215", "window alpha 0", "window show",
                                       "timer start 10", "timer stop", "window clear shape", "window destroy"}));
}

TEST(Player, AnErrorWhileTheWindowIsUpRunsEveryShutDownStepInOrder)
{
    TempDir dir;
    write_head(dir);
    HeadlessPlatform platform;
    Player player(platform, dir.path());
    player.commands().post_command(0x8001, 3); // the string mapping holds nothing: throws
    player.commands().post_command(0xfffd, 0); // runs first: into the tray
    platform.events().push(Event{.kind = EventKind::timer_tick});
    testing::internal::CaptureStderr();
    const int status = player.run();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "string mapping index out of range\n");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(log_from(platform.log(), "tray show vorlunde"),
              (CallLog{"tray show vorlunde", "window hide", "message box", "timer stop", "tray remove",
                       "window clear shape", "window destroy"}));
}

TEST(Player, StandardExceptionsReachTheSameHandler)
{
    TempDir dir;
    write_head(dir);
    HeadlessPlatform platform;
    platform.events().push_action([] { throw std::bad_alloc(); });
    const RunResult result = run_player(platform, dir);
    EXPECT_EQ(result.status, 1);
    ASSERT_EQ(platform.message_boxes().size(), 1u);
    EXPECT_EQ(platform.message_boxes()[0].text, std::bad_alloc().what());
    EXPECT_EQ(result.error_output, std::string(std::bad_alloc().what()) + "\n");
    EXPECT_EQ(log_from(platform.log(), "message box"),
              (CallLog{"message box", "timer stop", "window clear shape", "window destroy"}));
}

TEST(Player, AStopRequestEndsTheLoopLikeAQuit)
{
    TempDir dir;
    write_head(dir);
    HeadlessPlatform platform;
    platform.events().push_action([&] { platform.events().request_stop(); });
    platform.events().push(Event{.kind = EventKind::timer_tick});
    const RunResult result = run_player(platform, dir);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(platform.events().pending(), 1u) << "the loop ended at the request";
    EXPECT_EQ(log_from(platform.log(), "timer stop"), (CallLog{"timer stop", "window clear shape", "window destroy"}));
}

TEST(Player, TheQuitCommandEndsTheLoopAfterItsStep)
{
    TempDir dir;
    write_head(dir);
    HeadlessPlatform platform;
    Player player(platform, dir.path());
    player.commands().post_command(0xffff, 0);
    platform.events().push(Event{.kind = EventKind::timer_tick});
    platform.events().push(Event{.kind = EventKind::timer_tick});
    EXPECT_EQ(player.run(), 0);
    EXPECT_EQ(platform.events().pending(), 1u);
}

TEST(Player, NothingIsPresentedWhileTheWindowIsInTheTray)
{
    TempDir dir;
    write_head(dir);
    HeadlessPlatform platform;
    Player player(platform, dir.path());
    player.commands().post_command(0xfffd, 0);
    platform.events().push(Event{.kind = EventKind::timer_tick});
    platform.events().push_action([&] { EXPECT_EQ(platform.window()->present_count(), 0); });
    platform.events().push_action([&] { player.commands().post_command(0xfffc, 0); });
    platform.events().push_action([&] { EXPECT_EQ(platform.window()->present_count(), 1); });
    EXPECT_EQ(player.run(), 0);
}

} // namespace
