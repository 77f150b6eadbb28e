// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/stream_decoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

// A sine at some rate on channel 0 and its negation on channel 1 (the others silent), as a
// stream source would give it.
class SineSource final : public StreamSource {
public:
    SineSource(double hz, int rate, std::int64_t frames, int channels = 2)
        : hz_(hz), rate_(rate), frames_(frames), channels_(channels)
    {
    }

    int rate() const override { return rate_; }
    int channels() const override { return channels_; }
    ChannelOrder order() const override { return ChannelOrder::vorbis; }
    std::size_t read(std::span<float> interleaved) override
    {
        const auto width = static_cast<std::size_t>(channels_);
        std::size_t done = 0;
        for (; done < interleaved.size() / width && position_ < frames_; ++done, ++position_) {
            const auto value = static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * hz_ * static_cast<double>(position_) / rate_));
            for (std::size_t c = 0; c < width; ++c)
                interleaved[width * done + c] = c == 0 ? value : c == 1 ? -value : 0.0f;
        }
        return done;
    }
    std::int64_t length() const override { return frames_; }
    bool seek(std::int64_t frame) override
    {
        position_ = frame;
        return true;
    }

private:
    double hz_;
    int rate_;
    std::int64_t frames_;
    int channels_;
    std::int64_t position_ = 0;
};

// The largest difference between `out` (starting at output frame `first`) and the ideal
// sine at 44.1 kHz, past the first `settle` frames.
double worst_error(const std::vector<float>& out, std::int64_t first, double hz, std::size_t settle)
{
    double worst = 0;
    for (std::size_t i = settle; i < out.size() / 2; ++i) {
        const double ideal = 0.5 * std::sin(2 * std::numbers::pi * hz * static_cast<double>(first + static_cast<std::int64_t>(i)) / 44100.0);
        worst = std::max({worst, std::abs(out[2 * i] - ideal), std::abs(out[2 * i + 1] + ideal)});
    }
    return worst;
}

TEST(StreamDecoder, ConvertsRatesFaithfullyAndSeeksInOutputFrames)
{
    for (const int rate : {48000, 32000, 22050, 96000}) {
        SCOPED_TRACE(rate);
        const std::int64_t source_frames = 2 * rate; // two seconds
        StreamDecoder decoder(std::make_unique<SineSource>(1000.0, rate, source_frames));
        EXPECT_EQ(decoder.length(), 2 * 44100);

        std::vector<float> out(2 * 8000);
        ASSERT_EQ(decoder.read(out), 8000u);
        EXPECT_EQ(decoder.position(), 8000);
        EXPECT_LT(worst_error(out, 0, 1000.0, 16), 0.01) << "a 1 kHz tone comes out as the same tone";

        decoder.set_position(50000);
        EXPECT_EQ(decoder.position(), 50000);
        ASSERT_EQ(decoder.read(out), 8000u);
        EXPECT_LT(worst_error(out, 50000, 1000.0, 16), 0.01) << "after a seek";

        decoder.set_position(decoder.length() - 100);
        EXPECT_EQ(decoder.read(out), 100u) << "the end comes at the length";
        EXPECT_EQ(decoder.read(out), 0u);
        decoder.set_position(0);
        EXPECT_EQ(decoder.read(out), 8000u) << "seeking to 0 restarts a finished track";
    }
}

TEST(StreamDecoder, DownsamplingDoesNotFoldHighTonesIntoTheBand)
{
    // 23 kHz is above the output's Nyquist frequency: it must come out nearly silent, not as
    // a 21.1 kHz alias at full level.
    StreamDecoder decoder(std::make_unique<SineSource>(23000.0, 48000, 48000));
    std::vector<float> out(2 * 20000);
    decoder.read(out);
    double energy = 0;
    for (std::size_t i = 200; i < out.size() / 2; ++i)
        energy += out[2 * i] * out[2 * i];
    const double rms = std::sqrt(energy / static_cast<double>(out.size() / 2 - 200));
    EXPECT_LT(rms, 0.05) << "a full-level alias would have an RMS of 0.35";
}

TEST(StreamDecoder, FoldsEveryChannelCountToStereo)
{
    // Channel 0 carries the sine v, channel 1 (if any) -v: the left and right outputs are
    // these multiples of v.
    struct Case {
        int channels;
        float left;
        float right;
    };
    // 5.1 in Vorbis order: channel 0 is the left front, channel 1 the centre (-3 dB into both
    // sides); the ITU sum 1 + 2 x 0.707 is scaled back to 1.
    const float scale = 1.0f / (1.0f + 2 * 0.70710678f);
    for (const Case& c : {Case{1, 1.0f, 1.0f}, Case{2, 1.0f, -1.0f}, Case{6, scale * (1 - 0.70710678f), -0.70710678f * scale}}) {
        SCOPED_TRACE(c.channels);
        StreamDecoder decoder(std::make_unique<SineSource>(1000.0, 44100, 4410, c.channels));
        std::vector<float> out(2 * 4410);
        ASSERT_EQ(decoder.read(out), 4410u);
        for (std::size_t i = 0; i < 4410; i += 37) {
            const double v = 0.5 * std::sin(2 * std::numbers::pi * 1000.0 * static_cast<double>(i) / 44100.0);
            EXPECT_NEAR(out[2 * i], c.left * v, 1e-5);
            EXPECT_NEAR(out[2 * i + 1], c.right * v, 1e-5);
        }
    }
}

} // namespace
