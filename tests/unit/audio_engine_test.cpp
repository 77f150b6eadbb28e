// SPDX-License-Identifier: GPL-3.0-or-later
// AudioEngine through the headless device: transport, seeks at both ends, slides, the
// secondary slot, track ends, module notifications, spectrum and bad input. Frames are
// pulled exactly, so a track's end is seen on the very frame it happens.
#include "audio/audio_engine.h"
#include "base/skin_error.h"
#include "byte_builder.h"
#include "media/sndfile_encoder.h"
#include "media/xm_writer.h"
#include "platform/headless/headless_audio_device.h"
#include "recording_sink.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::int64_t second = 44100;
constexpr std::int64_t ten_seconds = AudioEngine::stream_seek_frames;
const XmSong short_song{.orders = 3, .rows = 16};
const std::int64_t order_frames = short_song.frames() / 3;

// 437.37 Hz: 10 s hold a fractional number of cycles, so positions 10 s apart sound different.
std::vector<std::uint8_t> ogg_tone(std::int64_t frames, double hz = 437.37)
{
    return encode_pcm(sine_pcm(hz, static_cast<std::size_t>(frames), 0.5f), EncodedFormat::ogg_vorbis);
}

class AudioEngineTest : public testing::Test {
protected:
    AudioEngineTest() { device.open(engine); }

    // Writes the files and makes them the playlist, index i = files[i], then hands the
    // tracklists (with the named tracks added before) to the engine.
    void playlist(const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& files)
    {
        for (auto it = files.rbegin(); it != files.rend(); ++it) {
            const auto path = it->second.empty() ? std::filesystem::path(it->first) : dir.write(it->first, it->second);
            lists.add_playlist_track("title of " + it->first, path.string());
        }
        hand_over();
    }

    void hand_over() { engine.use_tracklists(std::exchange(lists, Tracklists{})); }

    // Frames the engine would decode from `bytes` (what the current slot plays).
    static std::int64_t decoded_length(const std::vector<std::uint8_t>& bytes, TrackKind kind)
    {
        return open_decoder(kind, ArchiveFile{bytes})->length();
    }

    // What the device pulls, once the loader thread has opened what it was asked to, so that
    // track ends happen on exact frames.
    std::span<const float> render(std::size_t frames)
    {
        engine.wait_for_loader();
        return device.render(frames);
    }

    std::vector<float> pull(std::int64_t frames)
    {
        const auto samples = render(static_cast<std::size_t>(frames));
        return {samples.begin(), samples.end()};
    }

    // Renders `frames` without the current track ending, then one frame on which it ends.
    void expect_end_after(std::int64_t frames)
    {
        const std::size_t ends_before = sink.count(command_value(CommandId::track_changed_by_itself));
        for (std::int64_t left = frames; left > 0; left -= std::min<std::int64_t>(left, 65536))
            render(static_cast<std::size_t>(std::min<std::int64_t>(left, 65536)));
        EXPECT_EQ(sink.count(command_value(CommandId::track_changed_by_itself)), ends_before) << "ended early";
        render(1);
        EXPECT_EQ(sink.count(command_value(CommandId::track_changed_by_itself)), ends_before + 1) << "did not end";
    }

    static bool silent(const std::vector<float>& samples)
    {
        return std::ranges::all_of(samples, [](float s) { return s == 0.0f; });
    }

    TempDir dir;
    RecordingSink sink;
    DataArchive archive;
    AudioEngine engine{sink, archive};
    HeadlessAudioDevice device;
    Tracklists lists; // filled by the test, then handed to the engine
};

TEST_F(AudioEngineTest, PlayPauseResumeAndStop)
{
    const auto tone = ogg_tone(3 * second);
    playlist({{"a.ogg", tone}, {"b.ogg", tone}});
    EXPECT_TRUE(silent(pull(100)));
    engine.play_current();
    EXPECT_EQ(engine.current_activity(), Channel::Activity::playing);
    const auto start = pull(1000);
    EXPECT_FALSE(silent(start));

    engine.toggle_pause();
    EXPECT_EQ(engine.current_activity(), Channel::Activity::paused);
    EXPECT_TRUE(silent(pull(500)));
    engine.play_current(); // resumes where it paused
    EXPECT_EQ(engine.current_activity(), Channel::Activity::playing);
    const auto resumed = pull(1000);
    engine.play_current(); // playing: changes nothing
    const auto continued = pull(1000);

    std::vector<float> reference(6000);
    auto decoder = open_decoder(TrackKind::stream, ArchiveFile{tone});
    decoder->read(reference);
    EXPECT_TRUE(std::equal(start.begin(), start.end(), reference.begin()));
    EXPECT_TRUE(std::equal(resumed.begin(), resumed.end(), reference.begin() + 2000));
    EXPECT_TRUE(std::equal(continued.begin(), continued.end(), reference.begin() + 4000));

    engine.stop_current();
    EXPECT_EQ(engine.current_activity(), Channel::Activity::stopped);
    EXPECT_TRUE(silent(pull(500)));
    engine.play_current(); // after stop: from the beginning
    EXPECT_EQ(pull(1000), start);
}

TEST_F(AudioEngineTest, StreamSeeksStepTenSecondsAndStopAtBothEnds)
{
    const auto tone = ogg_tone(25 * second);
    playlist({{"long.ogg", tone}, {"next.ogg", tone}});
    const std::int64_t length = decoded_length(tone, TrackKind::stream);
    engine.play_current();
    pull(1000);
    engine.seek_backward(); // 1000 frames in: would pass the start
    engine.seek_forward();  // to 1000 + 10 s
    engine.seek_forward();  // to 1000 + 20 s
    engine.seek_forward();  // 1000 + 30 s is past the end: stays
    expect_end_after(length - 1000 - 2 * ten_seconds);
    EXPECT_EQ(engine.current_index(), 1);

    // The next track took over on the frame the first one ended, so one frame has played.
    engine.seek_forward();
    engine.seek_backward(); // back to frame 1
    engine.seek_backward(); // stays
    expect_end_after(length - 1);
}

TEST_F(AudioEngineTest, ModuleSeeksMoveByOrdersAndStopAtFirstAndLast)
{
    const auto song = make_xm(short_song);
    playlist({{"song.xm", song}, {"other.xm", song}});
    engine.play_current();
    pull(500);
    engine.seek_backward(); // at order 0: stays
    engine.seek_forward();  // order 1, row 0
    engine.seek_forward();  // order 2
    engine.seek_forward();  // the last order: stays
    expect_end_after(order_frames);
    engine.seek_forward();
    engine.seek_backward(); // order 0 again
    expect_end_after(3 * order_frames);
}

TEST_F(AudioEngineTest, SeekPercentMovesOnlyWhilePlaying)
{
    const auto tone = ogg_tone(4 * second);
    playlist({{"a.ogg", tone}, {"b.ogg", tone}});
    const std::int64_t length = decoded_length(tone, TrackKind::stream);
    engine.play_current();
    engine.toggle_pause();
    engine.seek_percent(50.0f); // paused: ignored
    engine.toggle_pause();
    pull(100);
    engine.seek_percent(75.0f);
    expect_end_after(length - static_cast<std::int64_t>(static_cast<float>(length) * 75.0f * 0.01f));
}

TEST_F(AudioEngineTest, PlaybackFractionTracksThePositionWhilePlayingOrPaused)
{
    const auto tone = ogg_tone(4 * second);
    playlist({{"a.ogg", tone}});
    EXPECT_EQ(engine.playback_fraction(), 0.0f) << "nothing opened";
    engine.play_current();
    pull(second);
    EXPECT_NEAR(engine.playback_fraction(), 0.25f, 0.01f);
    engine.toggle_pause();
    pull(second);
    EXPECT_NEAR(engine.playback_fraction(), 0.25f, 0.01f) << "paused: stays";
    engine.stop_current();
    EXPECT_EQ(engine.playback_fraction(), 0.0f);
}

TEST_F(AudioEngineTest, SeeksUseTheCurrentTracksOwnLength)
{
    const auto tone = ogg_tone(25 * second);
    const auto jingle = ogg_tone(second / 2);
    archive.load_image(ByteBuilder{}.string("Music\\jingle.ogg").u32(static_cast<std::uint32_t>(jingle.size())).raw(jingle).take());
    lists.add_named_track("jingle", "Music\\jingle.ogg");
    playlist({{"long.ogg", tone}, {"next.ogg", tone}});
    engine.play_current();
    engine.play_secondary(engine.find_named_track("jingle"));
    engine.seek_forward(); // 10 s is beyond the jingle, but within the current track
    expect_end_after(decoded_length(tone, TrackKind::stream) - ten_seconds);
}

TEST_F(AudioEngineTest, SlidesReachTheirTargetAndMinusTwoStops)
{
    const auto tone = ogg_tone(3 * second);
    playlist({{"a.ogg", tone}});
    engine.play_current();
    engine.slide_current_volume(0, 100);
    pull(4410);
    EXPECT_TRUE(silent(pull(1000)));
    EXPECT_EQ(engine.current_activity(), Channel::Activity::playing);

    engine.set_current_volume(100);
    EXPECT_FALSE(silent(pull(1000)));
    engine.slide_current_volume(AudioOperations::slide_to_stop, 100);
    pull(4409);
    EXPECT_EQ(engine.current_activity(), Channel::Activity::playing);
    pull(1);
    EXPECT_EQ(engine.current_activity(), Channel::Activity::stopped);

    // A new channel replaces the stopped one, from the start and at full volume.
    engine.play_current();
    EXPECT_EQ(engine.current_activity(), Channel::Activity::playing);
    std::vector<float> reference(2000);
    open_decoder(TrackKind::stream, ArchiveFile{tone})->read(reference);
    EXPECT_EQ(pull(1000), reference);
}

TEST_F(AudioEngineTest, SecondaryReplacesSecondaryWhileCurrentPlaysOn)
{
    const auto current = ogg_tone(3 * second, 300.0);
    const auto first = ogg_tone(2 * second, 1000.0);
    const auto second_track = ogg_tone(2 * second, 2000.0);
    ByteBuilder image;
    image.string("first.ogg").u32(static_cast<std::uint32_t>(first.size())).raw(first);
    image.string("second.ogg").u32(static_cast<std::uint32_t>(second_track.size())).raw(second_track);
    archive.load_image(image.take());
    lists.add_named_track("jingle", "first.ogg");
    lists.add_named_track("jingle", "second.ogg"); // defined later: wins
    lists.add_named_track("other", "first.ogg");
    playlist({{"current.ogg", current}});

    engine.play_current();
    engine.play_secondary(engine.find_named_track("other"));
    pull(1000);
    engine.play_secondary(engine.find_named_track("jingle"));
    const auto mixed = pull(1000);

    std::vector<float> current_ref(4200);
    std::vector<float> secondary_ref(2000);
    open_decoder(TrackKind::stream, ArchiveFile{current})->read(current_ref);
    open_decoder(TrackKind::stream, ArchiveFile{second_track})->read(secondary_ref);
    for (std::size_t i = 0; i < mixed.size(); ++i)
        ASSERT_EQ(mixed[i], current_ref[2000 + i] + secondary_ref[i]) << i;

    engine.set_secondary_volume(0);
    EXPECT_EQ(engine.current_activity(), Channel::Activity::playing);
    const auto current_only = pull(100);
    EXPECT_TRUE(std::equal(current_only.begin(), current_only.end(), current_ref.begin() + 4000));
    engine.stop_secondary();
    engine.play_secondary(nullptr); // nothing to play: nothing happens
    EXPECT_EQ(engine.current_activity(), Channel::Activity::playing);
}

TEST_F(AudioEngineTest, SecondarySlideToMinusTwoSilencesIt)
{
    const auto jingle = ogg_tone(3 * second);
    archive.load_image(ByteBuilder{}.string("j.ogg").u32(static_cast<std::uint32_t>(jingle.size())).raw(jingle).take());
    lists.add_named_track("j", "j.ogg");
    hand_over();
    engine.play_secondary(engine.find_named_track("j"));
    EXPECT_FALSE(silent(pull(1000)));
    engine.slide_secondary_volume(AudioOperations::slide_to_stop, 50);
    pull(2205);
    EXPECT_TRUE(silent(pull(1000)));
    engine.set_secondary_volume(100); // stopped: stays silent
    EXPECT_TRUE(silent(pull(1000)));
}

TEST_F(AudioEngineTest, TrackEndMovesOnAndPostsOnceRepeatLoops)
{
    const auto short_tone = ogg_tone(second / 2);
    const std::int64_t length = decoded_length(short_tone, TrackKind::stream);
    playlist({{"a.ogg", short_tone}, {"b.ogg", short_tone}, {"c.ogg", short_tone}});
    engine.play_current();
    expect_end_after(length);
    EXPECT_EQ(engine.current_index(), 1);
    EXPECT_EQ(engine.current_activity(), Channel::Activity::playing);
    EXPECT_EQ(sink.posted(), (std::vector<Command>{{0x4003, 0}}));

    engine.toggle_repeat();
    pull(2 * length + 10); // loops twice, staying on index 1
    EXPECT_EQ(engine.current_index(), 1);
    EXPECT_EQ(sink.posted().size(), 1u);
    EXPECT_EQ(engine.current_activity(), Channel::Activity::playing);

    engine.toggle_repeat();
    engine.next_track(); // repeat never affects next
    EXPECT_EQ(engine.current_index(), 2);
    expect_end_after(length);
    EXPECT_EQ(engine.current_index(), 0);
}

TEST_F(AudioEngineTest, NextAndPreviousStartOnlyWhatWasActive)
{
    const auto tone = ogg_tone(2 * second);
    playlist({{"a.ogg", tone}, {"", {}}, {"c.ogg", tone}, {"d.ogg", tone}});
    engine.next_track(); // nothing active: only the index moves (skipping the empty entry)
    EXPECT_EQ(engine.current_index(), 2);
    EXPECT_EQ(engine.current_activity(), Channel::Activity::stopped);
    engine.previous_track();
    EXPECT_EQ(engine.current_index(), 0);
    EXPECT_EQ(engine.current_activity(), Channel::Activity::stopped);

    engine.play_current();
    engine.toggle_pause();
    engine.previous_track(); // paused counts as active: the new track plays
    EXPECT_EQ(engine.current_index(), 3);
    EXPECT_EQ(engine.current_activity(), Channel::Activity::playing);

    engine.stop_current();
    engine.play_track(1); // ineligible
    EXPECT_EQ(engine.current_index(), 3);
    EXPECT_EQ(engine.current_activity(), Channel::Activity::stopped);
    engine.play_track(7); // out of range
    engine.play_track(2); // always starts
    EXPECT_EQ(engine.current_index(), 2);
    EXPECT_EQ(engine.current_activity(), Channel::Activity::playing);
}

TEST_F(AudioEngineTest, RandomModeGivesTheSameChoicesInTwoEngines)
{
    auto choices = [](AudioEngine& subject) {
        Tracklists nine;
        for (int i = 0; i < 9; ++i)
            nine.add_playlist_track("t", "track" + std::to_string(i) + ".ogg");
        subject.use_tracklists(std::move(nine));
        subject.toggle_random();
        std::vector<std::int32_t> visited;
        for (int i = 0; i < 30; ++i) {
            if (i % 5 == 4)
                subject.previous_track();
            else
                subject.next_track();
            visited.push_back(subject.current_index());
        }
        return visited;
    };
    AudioEngine other{sink, archive};
    const auto first = choices(engine);
    EXPECT_EQ(first, choices(other));
    EXPECT_EQ(first.front(), 41 % 9); // the generator's first draw
    engine.reset_audio_state();
    EXPECT_FALSE(engine.random());
    EXPECT_EQ(engine.current_index(), 0);
}

TEST_F(AudioEngineTest, SpectrumPeaksInTheSinesBin)
{
    constexpr int bin = 40;
    const double hz = bin * 44100.0 / 1024.0;
    playlist({{"sine.ogg", encode_pcm(sine_pcm(hz, 2 * second, 0.9f), EncodedFormat::ogg_vorbis)}});
    const std::vector<float> before(engine.get_spectrum().begin(), engine.get_spectrum().end());
    EXPECT_EQ(before, std::vector<float>(512, 0.0f)); // nothing playing: left as it was
    engine.play_current();
    pull(20000);
    const auto spectrum = engine.get_spectrum();
    const auto peak = std::ranges::max_element(spectrum);
    EXPECT_EQ(peak - spectrum.begin(), bin);
    EXPECT_NEAR(*peak, 0.9f, 0.05f);
    EXPECT_LT(spectrum[bin + 10], 0.01f);
}

TEST_F(AudioEngineTest, DiskModulesPostTheirLoopMarkByName)
{
    const auto song = make_xm(short_song);
    archive.load_image(ByteBuilder{}.string("loop.xm").u32(static_cast<std::uint32_t>(song.size())).raw(song).take());
    lists.add_named_track("m", "loop.xm");
    playlist({{"loop_theme.xm", song}, {"theme.xm", song}, {"Loop.xm", song}, {"missing_loop.xm", {}}});
    const std::vector<std::uint16_t> expected{0x6001, 0x6002, 0x6002, 0x6001};
    for (std::int32_t i = 0; i < 4; ++i) {
        sink.clear();
        engine.play_track(i);
        EXPECT_EQ(sink.posted(), (std::vector<Command>{{expected[static_cast<std::size_t>(i)], 0}})) << i;
    }
    sink.clear();
    engine.play_secondary(engine.find_named_track("m"));
    EXPECT_FALSE(silent(pull(5000)));
    EXPECT_TRUE(sink.posted().empty());
}

TEST_F(AudioEngineTest, BadFilesDoNotSoundAndCommandsActOnNothing)
{
    const auto tone = ogg_tone(second);
    const std::vector<std::uint8_t> text{'j', 'u', 'n', 'k'};
    playlist({{"missing.ogg", {}}, {"text.ogg", text}, {"cut.ogg", {tone.begin(), tone.begin() + 200}}, {"tone.xm", tone}});
    for (std::int32_t i = 0; i < 4; ++i) {
        engine.play_track(i);
        EXPECT_EQ(engine.current_activity(), Channel::Activity::stopped) << i;
        engine.toggle_pause();
        engine.seek_forward();
        engine.seek_backward();
        engine.seek_percent(50.0f);
        engine.set_current_volume(20);
        engine.slide_current_volume(AudioOperations::slide_to_stop, 10);
        engine.get_spectrum();
        EXPECT_TRUE(silent(pull(2000))) << i;
    }
}

TEST_F(AudioEngineTest, ArchiveTrackMissingFromTheArchiveRaisesItsMessage)
{
    lists.add_named_track("gone", "Music\\gone.ogg");
    hand_over();
    try {
        engine.play_secondary(engine.find_named_track("gone"));
        FAIL() << "no error";
    } catch (const SkinError& error) {
        EXPECT_STREQ(error.what(), "can't find file Music\\gone.ogg in datafile");
    }
    EXPECT_TRUE(silent(pull(100)));
}

TEST_F(AudioEngineTest, TitlesFollowPlaylistIndices)
{
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files;
    for (int i = 0; i < 20; ++i)
        files.emplace_back("t" + std::to_string(i) + ".ogg", std::vector<std::uint8_t>{});
    playlist(files);
    EXPECT_EQ(engine.track_count(), 20);
    for (std::int32_t i = 0; i < 20; ++i) {
        EXPECT_EQ(engine.titles().title(i), "title of t" + std::to_string(i) + ".ogg");
        EXPECT_EQ(engine.playlist().at(i)->name.ends_with("t" + std::to_string(i) + ".ogg"), true);
    }
    EXPECT_EQ(engine.titles().title(20), "");
}

} // namespace
