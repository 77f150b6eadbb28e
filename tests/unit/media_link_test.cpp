// SPDX-License-Identifier: GPL-3.0-or-later
// MediaLink: the desktop's media requests become the commands a skin's controls post, and
// what plays is published with a seek reported only when the position jumps.
#include "app/media_link.h"
#include "media/sndfile_encoder.h"
#include "platform/headless/headless_audio_device.h"
#include "platform/headless/headless_media_remote.h"
#include "platform/headless/manual_clock.h"
#include "recording_sink.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t second_frames = 44100;
constexpr std::int64_t second_us = 1'000'000;

Event request(MediaRequest what, std::int64_t value = 0)
{
    return Event{.kind = EventKind::media_request, .media_request = what, .media_value = value};
}

class MediaLinkTest : public testing::Test {
protected:
    MediaLinkTest()
    {
        const auto tone = encode_pcm(sine_pcm(440.0, 30 * second_frames, 0.5f), EncodedFormat::ogg_vorbis);
        Tracklists lists;
        lists.add_playlist_track("second", dir.write("b.ogg", tone).string());
        lists.add_playlist_track("first", dir.write("a.ogg", tone).string());
        engine.use_tracklists(std::move(lists));
        device.open(engine);
    }

    std::vector<Command> posted_by(const Event& event)
    {
        sink.clear();
        link.handle(event);
        return sink.posted();
    }

    TempDir dir;
    RecordingSink sink;
    DataArchive archive;
    AudioEngine engine{sink, archive};
    HeadlessAudioDevice device;
    HeadlessMediaRemote remote;
    ManualClock clock;
    MediaLink link{MediaLink::Targets{remote, sink, engine, clock}};
};

} // namespace

TEST_F(MediaLinkTest, RequestsPostWhatTheSkinsControlsPost)
{
    using C = std::vector<Command>;
    struct Case {
        const char* what;
        Event event;
        C stopped; // posted while nothing plays
        C playing; // posted while a track plays
    };
    const Case cases[] = {
        {"play", request(MediaRequest::play), C{{0x1001, 0}}, C{{0x1001, 0}}},
        {"pause", request(MediaRequest::pause), C{}, C{{0x1007, 0}}},
        {"play-pause", request(MediaRequest::play_pause), C{{0x1001, 0}}, C{{0x1007, 0}}},
        {"stop", request(MediaRequest::stop), C{{0x1002, 0}}, C{{0x1002, 0}}},
        {"next", request(MediaRequest::next), C{{0x1003, 0}}, C{{0x1003, 0}}},
        {"previous", request(MediaRequest::previous), C{{0x1004, 0}}, C{{0x1004, 0}}},
        {"seek 25 s", request(MediaRequest::seek, 25 * second_us), C(3, {0x1005, 0}), C(3, {0x1005, 0})},
        {"seek -3 s", request(MediaRequest::seek, -3 * second_us), C{{0x1006, 0}}, C{{0x1006, 0}}},
        {"seek far back", request(MediaRequest::seek, INT64_MIN), C(256, {0x1006, 0}), C(256, {0x1006, 0})},
        {"seek far on", request(MediaRequest::seek, INT64_MAX), C(256, {0x1005, 0}), C(256, {0x1005, 0})},
        {"repeat on", request(MediaRequest::set_repeat, 1), C{{0x1008, 0}}, C{{0x1008, 0}}},
        {"repeat off", request(MediaRequest::set_repeat, 0), C{}, C{}},
        {"shuffle off", request(MediaRequest::set_shuffle, 0), C{}, C{}},
        {"shuffle on", request(MediaRequest::set_shuffle, 1), C{{0x1009, 0}}, C{{0x1009, 0}}},
        {"volume", request(MediaRequest::set_volume, 40), C{{0x1017, 40}}, C{{0x1017, 40}}},
        {"raise", request(MediaRequest::raise), C{{0xfffc, 0}}, C{{0xfffc, 0}}},
        {"quit", request(MediaRequest::quit), C{{0xffff, 0}}, C{{0xffff, 0}}},
        {"not a request", Event{.kind = EventKind::timer_tick}, C{}, C{}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(posted_by(c.event), c.stopped) << c.what << " while stopped";
    engine.play_current();
    for (const Case& c : cases)
        EXPECT_EQ(posted_by(c.event), c.playing) << c.what << " while playing";
    engine.toggle_repeat();
    EXPECT_EQ(posted_by(request(MediaRequest::set_repeat, 1)), C{}) << "already on";
    EXPECT_EQ(posted_by(request(MediaRequest::set_repeat, 0)), (C{{0x1008, 0}}));
}

TEST_F(MediaLinkTest, PublishesTheTrackAndReportsOnlyJumps)
{
    link.publish();
    ASSERT_EQ(remote.states().size(), 1u);
    MediaState state = remote.states().back();
    EXPECT_EQ(state.playback, PlaybackState::stopped);
    EXPECT_EQ(state.title, "first");
    EXPECT_EQ(state.file, (dir.path() / "a.ogg").string());
    EXPECT_EQ(state.track_count, 2);
    EXPECT_EQ(state.length_us, 0) << "nothing open";

    engine.play_current();
    device.render(2 * second_frames);
    clock.advance(2000);
    link.publish();
    state = remote.states().back();
    EXPECT_EQ(state.playback, PlaybackState::playing);
    EXPECT_NEAR(static_cast<double>(state.length_us), 30.0 * second_us, 0.1 * second_us);
    EXPECT_EQ(state.position_us, 2 * second_us);

    device.render(second_frames / 2); // steady playing, the clock a little behind
    clock.advance(100);
    link.publish();
    EXPECT_TRUE(remote.seeks().empty());

    link.handle(request(MediaRequest::set_position, 20 * second_us));
    link.publish();
    ASSERT_EQ(remote.seeks().size(), 1u);
    EXPECT_NEAR(static_cast<double>(remote.seeks()[0]), 20.0 * second_us, 0.01 * second_us);

    engine.next_track();
    link.publish();
    EXPECT_EQ(remote.states().back().title, "second");
    EXPECT_EQ(remote.states().back().track, 1);
    EXPECT_EQ(remote.seeks().size(), 1u) << "a new track is not a seek";
}
