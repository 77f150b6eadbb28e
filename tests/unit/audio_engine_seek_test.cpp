// SPDX-License-Identifier: GPL-3.0-or-later
// Seeks against a slow disk: every read at a new place in the file takes 200 ms. The device's
// thread pulls the mixer all the while; a render call must never wait for a seek's file work,
// so none takes anywhere near one such read (the bound leaves room for sanitizer builds).
#include "audio/audio_engine.h"
#include "audio/stream_decoder.h"
#include "platform/headless/headless_audio_device.h"
#include "recording_sink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

constexpr milliseconds slow_read{200};
constexpr std::size_t device_buffer_frames = 2048; // what the desktop's device pulls (46 ms)

// One minute of silence at 48 kHz (so a seek decodes a lead-in for the resampler). Moving to
// a new place takes one slow read, and so does the first read there; reads that go on from
// where the last one ended are quick, as from a disk's read-ahead.
class SlowDiskSource final : public StreamSource {
public:
    int rate() const override { return 48'000; }
    int channels() const override { return 2; }
    ChannelOrder order() const override { return ChannelOrder::vorbis; }
    std::int64_t length() const override { return 60 * 48'000; }

    std::size_t read(std::span<float> interleaved) override
    {
        if (std::exchange(cold_, false))
            std::this_thread::sleep_for(slow_read);
        const auto wanted = static_cast<std::int64_t>(interleaved.size() / 2);
        const auto frames = std::min(wanted, length() - frame_);
        std::fill_n(interleaved.begin(), 2 * frames, 0.0f);
        frame_ += frames;
        return static_cast<std::size_t>(frames);
    }

    bool seek(std::int64_t frame) override
    {
        std::this_thread::sleep_for(slow_read);
        frame_ = frame;
        cold_ = true;
        return true;
    }

private:
    std::int64_t frame_ = 0;
    bool cold_ = false;
};

std::unique_ptr<Decoder> open_slow_disk(TrackKind, const TrackSource&)
{
    return std::make_unique<StreamDecoder>(std::make_unique<SlowDiskSource>());
}

TEST(AudioEngineSeekTest, TheDeviceNeverWaitsForASeeksFileWork)
{
    RecordingSink sink;
    DataArchive archive;
    AudioEngine engine{sink, archive, &open_slow_disk};
    Tracklists lists;
    lists.add_playlist_track("slow", "slow.ogg");
    engine.use_tracklists(std::move(lists));
    engine.play_current();

    HeadlessAudioDevice device;
    device.open(engine);
    std::atomic<bool> done{false};
    std::atomic<std::int64_t> longest_render_us{0};
    std::thread audio([&] {
        while (!done.load()) {
            const auto start = steady_clock::now();
            device.render(device_buffer_frames);
            const auto took = std::chrono::duration_cast<std::chrono::microseconds>(steady_clock::now() - start);
            longest_render_us = std::max<std::int64_t>(longest_render_us.load(), took.count());
            std::this_thread::sleep_for(milliseconds(5));
        }
    });

    engine.seek_forward();       // to 10 s
    engine.seek_percent(50.0f);  // to 30 s
    engine.seek_backward();      // to 20 s
    done = true;
    audio.join();

    const double longest_ms = static_cast<double>(longest_render_us.load()) / 1000.0;
    std::printf("longest render call during the seeks: %.1f ms\n", longest_ms);
    EXPECT_LT(longest_render_us.load(), std::chrono::duration_cast<std::chrono::microseconds>(slow_read).count() / 2);
    // The seeks were made all the same.
    const AudioEngine::TrackTime time = engine.track_time();
    EXPECT_GE(time.position_us, 20'000'000);
    EXPECT_LT(time.position_us, 25'000'000);
}

} // namespace
