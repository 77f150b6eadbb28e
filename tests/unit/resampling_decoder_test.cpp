#include "audio/resampling_decoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

// A stereo sine (left) and its negation (right) at some rate, as a decoder would give it.
class SineSource final : public Decoder {
public:
    SineSource(double hz, int rate, std::int64_t frames) : hz_(hz), rate_(rate), frames_(frames) {}

    std::size_t read(std::span<float> interleaved) override
    {
        std::size_t done = 0;
        for (; done < interleaved.size() / 2 && position_ < frames_; ++done, ++position_) {
            const auto value = static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * hz_ * static_cast<double>(position_) / rate_));
            interleaved[2 * done] = value;
            interleaved[2 * done + 1] = -value;
        }
        return done;
    }
    std::int64_t position() const override { return position_; }
    void set_position(std::int64_t frame) override { position_ = std::clamp<std::int64_t>(frame, 0, frames_); }
    std::int64_t length() const override { return frames_; }

private:
    double hz_;
    int rate_;
    std::int64_t frames_;
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

TEST(ResamplingDecoder, ConvertsRatesFaithfullyAndSeeksInOutputFrames)
{
    for (const int rate : {48000, 32000, 22050, 96000}) {
        SCOPED_TRACE(rate);
        const std::int64_t source_frames = 2 * rate; // two seconds
        ResamplingDecoder decoder(std::make_unique<SineSource>(1000.0, rate, source_frames), rate);
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

TEST(ResamplingDecoder, DownsamplingDoesNotFoldHighTonesIntoTheBand)
{
    // 23 kHz is above the output's Nyquist frequency: it must come out nearly silent, not as
    // a 21.1 kHz alias at full level.
    ResamplingDecoder decoder(std::make_unique<SineSource>(23000.0, 48000, 48000), 48000);
    std::vector<float> out(2 * 20000);
    decoder.read(out);
    double energy = 0;
    for (std::size_t i = 200; i < out.size() / 2; ++i)
        energy += out[2 * i] * out[2 * i];
    const double rms = std::sqrt(energy / static_cast<double>(out.size() / 2 - 200));
    EXPECT_LT(rms, 0.05) << "a full-level alias would have an RMS of 0.35";
}

} // namespace
