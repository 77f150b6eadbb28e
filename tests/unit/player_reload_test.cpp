// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the skin again in a running headless player while a thread pulls the mixer, as the
// sound card's does: the track plays on from where it was, the page and the window's place
// stay, a new size makes a new window, and a damaged skin leaves the running one. Under the
// sanitizers this is where the old skin's lists, archive and pages going while the mixer and
// the loader thread run would show.
#include "app/player.h"
#include "media/sndfile_encoder.h"
#include "platform/headless/headless_platform.h"
#include "skin_files.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

using U = std::uint32_t;

constexpr std::uint32_t first_rgb = 0xC01020;
constexpr std::uint32_t second_rgb = 0x10E080;
constexpr std::uint32_t reloaded_rgb = 0x2040A0;

// Pages "main" (the start page) and "second", a playlist whose "tone.ogg" entry stands at
// index `tone_index` among `entries` entries (index 0 is the last one written), and the
// named track "jingle", the `tone` stored in the archive (a stream read where it lies).
SkinFiles skin_of(const TempDir& dir, std::uint16_t width, std::uint32_t second_colour, int entries, int tone_index,
                  const std::vector<std::uint8_t>& tone)
{
    SkinFiles skin;
    skin.width = width;
    skin.file("Data\\main.bmp", solid_bmp(width, 510, first_rgb))
        .file("Data\\second.bmp", solid_bmp(width, 510, second_colour))
        .file("Data\\panel.rgn", std::vector<std::uint8_t>{})
        .file("Data\\jingle.ogg", tone);
    std::vector<FieldValues> tracks;
    for (int index = entries - 1; index >= 0; --index) {
        const std::string file = index == tone_index ? "tone.ogg" : "other" + std::to_string(index) + ".ogg";
        tracks.push_back({std::string("Track"), (dir.path() / file).string()});
    }
    skin.chunks = {make_chunk(ChunkId::track_list, {{"kind", U{1}}}, tracks),
                   make_chunk(ChunkId::track_list, {{"kind", U{0}}}, {{std::string("jingle"), std::string("Data\\jingle.ogg")}}),
                   make_chunk(ChunkId::start_page, {{"page", "main"}}),
                   make_chunk(ChunkId::string_mapping, {}, {{std::string("second"), U{0}}}),
                   make_page("main", {}, "Data\\main.bmp"),
                   make_page("second", {}, "Data\\second.bmp")};
    return skin;
}

// Puts `skin` in place of the one in `dir` as the skin tool does, renaming new files over the
// old ones (the running player keeps the archive it mapped).
void replace_skin(const TempDir& dir, const SkinFiles& skin)
{
    const TempDir next;
    skin.write(next);
    for (const char* name : {"tarnel.cfg", "tarnel.dat"})
        std::filesystem::rename(next.path() / name, dir.path() / name);
}

TEST(PlayerReload, TheTrackPageAndPlaceStayAndADamagedSkinLeavesTheRunningOne)
{
    TempDir dir;
    const auto tone = encode_pcm(sine_pcm(440.0, 12 * 44100, 0.5f), EncodedFormat::ogg_vorbis);
    for (const char* name : {"tone.ogg", "other0.ogg", "other1.ogg", "other3.ogg"})
        dir.write(name, tone);
    skin_of(dir, 600, second_rgb, 1, 0, tone).write(dir);
    HeadlessPlatform platform(false, Rect{0, 0, 1000, 700});
    Player player(platform, dir.path());
    std::jthread device; // joined at the end of the run, or when the test leaves early
    std::int64_t position_before = 0;
    const auto shown_pixel = [&](int x, int y) {
        const HeadlessWindow& window = *platform.window();
        return window.frame().at(static_cast<std::size_t>(y * window.spec().width + x)) & 0xFFFFFF;
    };
    EventSource& events = platform.events();
    platform.events().push(Event{.kind = EventKind::timer_tick}); // the presentation's first step
    platform.events().push_action([&] { player.commands().post_command(0x8001, 0); }); // to "second"
    platform.events().push_action([&] {
        player.audio_engine()->play_current();
        // On top, from the old archive's mapping: it must stop before that goes.
        player.audio_engine()->play_secondary(player.audio_engine()->find_named_track("jingle"));
        HeadlessAudioDevice* card = platform.audio_device();
        device = std::jthread([card](const std::stop_token& stop) {
            // At most 8 s of the 12 s track, a little faster than the sound card would.
            for (int pull = 0; pull < 8 * 44100 / 256 && !stop.stop_requested(); ++pull) {
                card->render(256);
                std::this_thread::sleep_for(std::chrono::microseconds(500));
            }
        });
    });
    platform.events().push_action([&] {
        EXPECT_EQ(player.shell().current_page, "second");
        position_before = player.audio_engine()->track_time().position_us;
        // The tone moves from index 0 to 2; the window becomes narrower.
        replace_skin(dir, skin_of(dir, 500, reloaded_rgb, 4, 2, tone));
        platform.events().request_reload();
    });
    platform.events().push(Event{.kind = EventKind::timer_tick}); // the reload, then a frame
    platform.events().push_action([&] {
        AudioEngine& engine = *player.audio_engine();
        EXPECT_EQ(engine.current_activity(), Channel::Activity::playing);
        EXPECT_EQ(engine.current_index(), 2);
        EXPECT_GE(engine.track_time().position_us, position_before) << "played on, not from the start";
        EXPECT_EQ(player.shell().current_page, "second");
        EXPECT_EQ(platform.windows_created(), 2);
        EXPECT_EQ(platform.window()->spec().x, 200) << "where the 600-pixel window was";
        EXPECT_EQ(platform.window()->spec().width, 500);
        EXPECT_EQ(shown_pixel(250, 200), reloaded_rgb);
        SkinFiles damaged = skin_of(dir, 600, first_rgb, 1, 0, tone);
        damaged.chunks.push_back(make_page("third", {}, "Data\\missing.bmp"));
        replace_skin(dir, damaged);
        platform.events().request_reload();
    });
    platform.events().push(Event{.kind = EventKind::timer_tick});
    platform.events().push_action([&] {
        EXPECT_EQ(player.audio_engine()->current_activity(), Channel::Activity::playing);
        EXPECT_EQ(platform.windows_created(), 2);
        EXPECT_EQ(player.shell().current_page, "second");
        EXPECT_EQ(shown_pixel(250, 200), reloaded_rgb);
        EXPECT_FALSE(events.take_reload_request()) << "each request is taken once";
        device.request_stop();
        device.join(); // before the player closes the device
    });
    testing::internal::CaptureStderr();
    const int status = player.run();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(device.joinable());
    EXPECT_EQ(status, 0);
    EXPECT_EQ(errors, "can't reload the skin: can't find file Data\\missing.bmp in datafile\n");
    EXPECT_TRUE(platform.message_boxes().empty());
}

} // namespace
