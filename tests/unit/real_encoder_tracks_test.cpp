// SPDX-License-Identifier: GPL-3.0-or-later
// Tracks made by real encoders at test time, played through the engine: tags, odd rates,
// mono and six channels play at the right pitch with the right length, the seek knob moves
// and seeks land; two files cut from one sine join without a gap; playlist names of every
// spelling advance by themselves past entries that cannot play; MP3s at 22.05 kHz come out
// without images above their band.
#include "audio/audio_engine.h"
#include "media/xm_writer.h"
#include "platform/headless/headless_audio_device.h"
#include "real_encoders.h"
#include "recording_sink.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t second = 44100;

#define SKIP_WITHOUT(encoder)                                                                                        \
    if (!have_program(program_of(encoder)))                                                                          \
    GTEST_SKIP() << program_of(encoder) << " is not installed (scripts/install-deps installs it)"

class RealEncoderTracks : public testing::Test {
protected:
    RealEncoderTracks() { device.open(engine); }

    // Makes `paths` the playlist, index i = paths[i].
    void playlist(const std::vector<std::string>& paths)
    {
        Tracklists lists;
        for (auto it = paths.rbegin(); it != paths.rend(); ++it)
            lists.add_playlist_track("title", *it);
        engine.use_tracklists(std::move(lists));
    }

    std::vector<float> pull(std::int64_t frames)
    {
        engine.wait_for_loader();
        const auto samples = device.render(static_cast<std::size_t>(frames));
        return {samples.begin(), samples.end()};
    }

    TempDir dir;
    RecordingSink sink;
    DataArchive archive;
    AudioEngine engine{sink, archive};
    HeadlessAudioDevice device;
};

// Sign changes of the left channel per second: twice the frequency of a sine.
double crossings_per_second(const std::vector<float>& stereo)
{
    int crossings = 0;
    for (std::size_t i = 2; i < stereo.size(); i += 2)
        crossings += (stereo[i - 2] < 0) != (stereo[i] < 0) ? 1 : 0;
    return crossings * static_cast<double>(second) / static_cast<double>(stereo.size() / 2);
}

double rms(const std::vector<float>& stereo, int side)
{
    double sum = 0;
    for (std::size_t i = static_cast<std::size_t>(side); i < stereo.size(); i += 2)
        sum += stereo[i] * stereo[i];
    return std::sqrt(sum / static_cast<double>(stereo.size() / 2));
}

struct FileCase {
    const char* name;
    RealEncoder encoder;
    int rate;
    int channels;
};

TEST_F(RealEncoderTracks, PlayAtPitchWithLengthAndTheSeekKnobFollows)
{
    const FileCase cases[] = {
        {"lame-192-id3.mp3", RealEncoder::lame, 44100, 2}, {"lame-22k-mono.mp3", RealEncoder::lame, 22050, 1},
        {"lame-48k.mp3", RealEncoder::lame, 48000, 2},     {"oggenc-q5-comments.ogg", RealEncoder::oggenc, 44100, 2},
        {"oggenc-8k-mono.ogg", RealEncoder::oggenc, 8000, 1}, {"oggenc-96k.ogg", RealEncoder::oggenc, 96000, 2},
        {"oggenc-six.ogg", RealEncoder::oggenc, 44100, 6}, {"flac-tags.flac", RealEncoder::flac, 44100, 2},
        {"flac-six-48k.flac", RealEncoder::flac, 48000, 6}, {"opusenc.opus", RealEncoder::opusenc, 48000, 2},
        {"opusenc-mono.opus", RealEncoder::opusenc, 44100, 1},
    };
    std::vector<std::string> paths;
    for (const FileCase& c : cases) {
        SKIP_WITHOUT(c.encoder);
        const auto path = encode_sine(dir, c.name, c.encoder, SineSpec{.rate = c.rate, .channels = c.channels, .frames = 12 * c.rate});
        ASSERT_TRUE(path) << c.name;
        paths.push_back(path->string());
    }
    playlist(paths);
    for (std::int32_t index = 0; index < static_cast<std::int32_t>(paths.size()); ++index) {
        SCOPED_TRACE(cases[index].name);
        engine.play_track(index);
        const auto first_second = pull(second);
        EXPECT_NEAR(engine.playback_fraction(), 1.0 / 12, 0.002) << "the knob moves with the 12 s track";
        const std::vector<float> settled(first_second.begin() + second, first_second.end());
        EXPECT_NEAR(crossings_per_second(settled), 2 * 441.0, 441.0 * 0.02) << "pitch";
        EXPECT_GT(rms(settled, 0), 0.1);
        EXPECT_GT(rms(settled, 1), 0.1);

        engine.seek_percent(50.0f);
        EXPECT_NEAR(engine.playback_fraction(), 0.5, 0.001);
        EXPECT_GT(rms(pull(second / 10), 0), 0.1) << "sounds after a seek";
        engine.seek_percent(5.0f);
        engine.seek_forward();
        EXPECT_NEAR(engine.playback_fraction(), (0.6 + 10) / 12, 0.001) << "10 s on";
        engine.seek_backward();
        EXPECT_NEAR(engine.playback_fraction(), 0.6 / 12, 0.001) << "10 s back";
        engine.seek_backward();
        EXPECT_NEAR(engine.playback_fraction(), 0.6 / 12, 0.001) << "not before the start";
    }
}

// A 441 Hz sine cut into two files at a sample that is not a zero crossing, played as a
// playlist: across the join the output follows the one sine (no gap, no lost or repeated
// sample), within what the codec itself changes near a file's edge, and no step between
// neighbouring samples exceeds the sine's own steepest step by more than that.
TEST_F(RealEncoderTracks, TwoFilesCutFromOneSineJoinWithoutAGap)
{
    struct Case {
        const char* extension;
        RealEncoder encoder;
        int rate;
        double codec_error; // the largest deviation a lossy codec makes at a file's edge
    };
    for (const Case& c : {Case{"flac", RealEncoder::flac, 44100, 0.001}, Case{"ogg", RealEncoder::oggenc, 44100, 0.03},
             Case{"mp3", RealEncoder::lame, 44100, 0.09}, Case{"opus", RealEncoder::opusenc, 48000, 0.09}}) {
        SCOPED_TRACE(c.extension);
        SKIP_WITHOUT(c.encoder);
        const std::int64_t cut = 2 * c.rate + 123;
        const auto a = encode_sine(dir, std::string("a.") + c.extension, c.encoder, SineSpec{.rate = c.rate, .frames = cut});
        const auto b = encode_sine(
            dir, std::string("b.") + c.extension, c.encoder, SineSpec{.rate = c.rate, .first = cut, .frames = 2 * c.rate});
        ASSERT_TRUE(a && b);
        RecordingSink local_sink;
        AudioEngine local{local_sink, archive};
        Tracklists lists;
        lists.add_playlist_track("b", b->string());
        lists.add_playlist_track("a", a->string());
        local.use_tracklists(std::move(lists));
        HeadlessAudioDevice local_device;
        local_device.open(local);
        local.play_current();
        const std::int64_t join = cut * second / c.rate;
        const std::int64_t start = join - 2000;
        local.wait_for_loader();
        local_device.render(static_cast<std::size_t>(start));
        local.wait_for_loader();
        const auto around = local_device.render(4000);
        EXPECT_EQ(local_sink.count(command_value(CommandId::track_changed_by_itself)), 1u);
        EXPECT_EQ(local.current_index(), 1);

        double deviation = 0;
        double steepest = 0;
        for (std::size_t i = 0; i < around.size() / 2; ++i) {
            const double t = static_cast<double>(start + static_cast<std::int64_t>(i)) / second;
            deviation = std::max(deviation, std::abs(around[2 * i] - 0.5 * std::sin(2 * std::numbers::pi * 441.0 * t)));
            if (i > 0)
                steepest = std::max<double>(steepest, std::abs(around[2 * i] - around[2 * i - 2]));
        }
        const double slope = 2 * std::numbers::pi * 441.0 * 0.5 / second; // the sine's steepest step
        EXPECT_LT(deviation, c.codec_error);
        EXPECT_LT(steepest, slope + 2 * c.codec_error);
    }
}

// Every spelling of a playlist name plays, and the playlist moves on by itself past an
// entry whose file is missing, saying so on standard error; picked, that entry says so too.
TEST_F(RealEncoderTracks, EveryNameSpellingAdvancesByItselfPastWhatCannotPlay)
{
    SKIP_WITHOUT(RealEncoder::oggenc);
    SKIP_WITHOUT(RealEncoder::lame);
    const SineSpec blip{.frames = 4410};
    const auto ogg = encode_sine(dir, "blip.ogg", RealEncoder::oggenc, blip);
    const auto mp3 = encode_sine(dir, "blip.mp3", RealEncoder::lame, blip);
    ASSERT_TRUE(ogg && mp3);
    const auto copy = [&](const std::filesystem::path& from, const std::string& name) {
        const auto to = dir.path() / name;
        std::filesystem::create_directories(to.parent_path());
        std::filesystem::copy_file(from, to);
        return (dir.path() / name).string();
    };
    const auto module = dir.write("tune.mod", make_xm(XmSong{.orders = 1, .rows = 8, .speed = 1}));
    const std::string missing = (dir.path() / "missing.ogg").string();
    copy(*ogg, "dot.ogg");
    playlist({(dir.path() / "." / "dot.ogg").string(), copy(*ogg, "music.d/in-folder.ogg"), copy(*ogg, "mixed.Ogg"),
        copy(*mp3, "upper.MP3"), module.string(), missing, copy(*ogg, "no-extension")});

    testing::internal::CaptureStderr();
    engine.play_current();
    std::vector<std::int32_t> visited{engine.current_index()};
    for (int pulls = 0; pulls < 4000 && visited.size() < 7; ++pulls) {
        pull(second / 100); // shorter than any track, so every index is seen
        if (engine.current_index() != visited.back())
            visited.push_back(engine.current_index());
    }
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(visited, (std::vector<std::int32_t>{0, 1, 2, 3, 4, 6, 0}));
    EXPECT_EQ(errors, "can't play " + missing + "\n");

    // Picked by the user, the missing entry says so too and does not sound.
    testing::internal::CaptureStderr();
    engine.play_track(5);
    engine.wait_for_loader();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "can't play " + missing + "\n");
    EXPECT_EQ(engine.current_index(), 5);
    EXPECT_EQ(engine.current_activity(), Channel::Activity::stopped);
}

// Image of a 3 kHz tone in a 22.05 kHz MP3 at 22.05 - 3 = 19.05 kHz after conversion to
// 44.1 kHz, relative to the tone.
TEST_F(RealEncoderTracks, Mp3At22kHzHasNoImagesAboveItsBand)
{
    SKIP_WITHOUT(RealEncoder::lame);
    const auto mp3 = encode_sine(dir, "tone.mp3", RealEncoder::lame, SineSpec{.hz = 3000.0, .rate = 22050, .channels = 1, .frames = 22050});
    ASSERT_TRUE(mp3);
    playlist({mp3->string()});
    engine.play_current();
    pull(4096);
    const auto block = pull(16384);
    // Blackman-Harris window (side lobes below -92 dB), then one DFT bin at each frequency.
    const auto level = [&](double hz) {
        double re = 0;
        double im = 0;
        const double n = 16384;
        for (std::size_t i = 0; i < 16384; ++i) {
            const double x = 2 * std::numbers::pi * static_cast<double>(i) / n;
            const double w = 0.35875 - 0.48829 * std::cos(x) + 0.14128 * std::cos(2 * x) - 0.01168 * std::cos(3 * x);
            const double phase = 2 * std::numbers::pi * hz * static_cast<double>(i) / second;
            re += w * block[2 * i] * std::cos(phase);
            im += w * block[2 * i] * std::sin(phase);
        }
        return std::hypot(re, im);
    };
    const double image_db = 20 * std::log10(level(22050.0 - 3000.0) / level(3000.0));
    RecordProperty("image_db", std::to_string(image_db));
    EXPECT_LE(image_db, -60.0);
}

} // namespace
