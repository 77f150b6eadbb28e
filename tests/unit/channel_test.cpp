// SPDX-License-Identifier: GPL-3.0-or-later
// Channel: volume, slides, -2 fade-out, pause, and what happens at the end of its track,
// over a decoder that plays a constant full-scale signal so every frame's gain is visible.
#include "audio/channel.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ConstantDecoder final : public Decoder {
public:
    explicit ConstantDecoder(std::int64_t length) : length_(length) {}

    std::size_t read(std::span<float> interleaved) override
    {
        const auto frames = static_cast<std::size_t>(std::min<std::int64_t>(interleaved.size() / 2, length_ - position_));
        std::fill_n(interleaved.begin(), 2 * frames, 1.0f);
        position_ += static_cast<std::int64_t>(frames);
        return frames;
    }
    std::int64_t position() const override { return position_; }
    void set_position(std::int64_t position) override { position_ = position; }
    std::int64_t length() const override { return length_; }

private:
    std::int64_t length_;
    std::int64_t position_ = 0;
};

struct Mixed {
    std::vector<float> samples;
    Channel::MixResult result;
};

Mixed mix(Channel& channel, std::size_t frames)
{
    Mixed mixed{std::vector<float>(2 * frames), {}};
    std::vector<float> scratch(2 * 256);
    mixed.result = channel.mix_into(mixed.samples, scratch, nullptr);
    return mixed;
}

Channel constant_channel(std::int64_t length = 1'000'000, bool loops = false)
{
    return Channel(std::make_unique<ConstantDecoder>(length), loops);
}

TEST(ChannelTest, SlideIsLinearAndReachesItsTargetAtTheDuration)
{
    Channel channel = constant_channel();
    channel.slide_volume(0, 10); // 441 frames
    const Mixed mixed = mix(channel, 441);
    EXPECT_NEAR(mixed.samples[2 * 0], 1.0 - 1.0 / 441, 1e-5);
    EXPECT_NEAR(mixed.samples[2 * 219], 1.0 - 220.0 / 441, 1e-5);
    EXPECT_EQ(mixed.samples[2 * 440], 0.0f);
    EXPECT_EQ(channel.volume(), 0.0);
    EXPECT_EQ(channel.activity(), Channel::Activity::playing);
}

TEST(ChannelTest, FadeOutAndStopEndsTheChannelAtTheDuration)
{
    Channel channel = constant_channel();
    channel.set_volume(50);
    channel.slide_volume(AudioOperations::slide_to_stop, 20); // 882 frames
    EXPECT_NEAR(mix(channel, 881).samples[2 * 880], 0.5 / 882, 1e-5);
    EXPECT_EQ(channel.activity(), Channel::Activity::playing);
    mix(channel, 1);
    EXPECT_EQ(channel.activity(), Channel::Activity::stopped);
    const Mixed after = mix(channel, 10);
    EXPECT_EQ(after.result.frames, 0u);
    EXPECT_EQ(after.samples, std::vector<float>(20, 0.0f));
}

TEST(ChannelTest, SetVolumeEndsASlideAndClamps)
{
    Channel channel = constant_channel();
    channel.slide_volume(0, 1000);
    channel.set_volume(150);
    EXPECT_EQ(mix(channel, 2000).samples.back(), 1.0f);
    channel.slide_volume(40, 0);
    EXPECT_FLOAT_EQ(mix(channel, 1).samples[0], 0.4f);
}

TEST(ChannelTest, PausedChannelMixesNothingAndItsSlideWaits)
{
    Channel channel = constant_channel();
    channel.slide_volume(0, 10);
    mix(channel, 100);
    channel.pause();
    EXPECT_EQ(channel.activity(), Channel::Activity::paused);
    EXPECT_EQ(mix(channel, 1000).result.frames, 0u);
    channel.resume();
    const Mixed rest = mix(channel, 341);
    EXPECT_EQ(rest.samples.back(), 0.0f);
    EXPECT_NEAR(rest.samples[0], 1.0 - 101.0 / 441, 1e-5);
}

TEST(ChannelTest, TrackEndStopsOrLoops)
{
    struct Case {
        bool loops;
        Channel::Activity after;
        std::int64_t position_after;
    };
    for (const Case& c : {Case{false, Channel::Activity::stopped, 300}, Case{true, Channel::Activity::playing, 0}}) {
        Channel channel = constant_channel(300, c.loops);
        const Mixed mixed = mix(channel, 1000);
        EXPECT_TRUE(mixed.result.ended);
        EXPECT_EQ(mixed.result.frames, 300u);
        EXPECT_EQ(mixed.samples[2 * 299], 1.0f);
        EXPECT_EQ(mixed.samples[2 * 300], 0.0f);
        EXPECT_EQ(channel.activity(), c.after);
        EXPECT_EQ(channel.decoder().position(), c.position_after);
    }
}

TEST(ChannelTest, MixingAddsToWhatIsThere)
{
    Channel channel = constant_channel();
    channel.set_volume(25);
    std::vector<float> out(8, 0.5f);
    std::vector<float> scratch(8);
    channel.mix_into(out, scratch, nullptr);
    EXPECT_EQ(out, std::vector<float>(8, 0.75f));
}

} // namespace
