// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/downmix.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr float minus_3_db = 0.70710678f;

// One letter per channel: l/r front sides, c centre, e low-frequency effects, m rear or
// side left, n rear or side right, b rear centre.
std::string_view layout_of(int channels, ChannelOrder order)
{
    constexpr std::array<std::string_view, 9> vorbis{"", "c", "lr", "lcr", "lrmn", "lcrmn", "lcrmne", "lcrmnbe", "lcrmnmne"};
    constexpr std::array<std::string_view, 9> wave{"", "c", "lr", "lrc", "lrmn", "lrcmn", "lrcemn", "lrcebmn", "lrcemnmn"};
    if (channels < 1 || channels > 8)
        return {};
    return (order == ChannelOrder::vorbis ? vorbis : wave)[static_cast<std::size_t>(channels)];
}

std::array<float, 2> gains_of(char speaker)
{
    switch (speaker) {
    case 'l': return {1.0f, 0.0f};
    case 'r': return {0.0f, 1.0f};
    case 'c': return {minus_3_db, minus_3_db};
    case 'm': return {minus_3_db, 0.0f};
    case 'n': return {0.0f, minus_3_db};
    case 'b': return {0.5f, 0.5f};
    default: return {0.0f, 0.0f}; // LFE
    }
}

} // namespace

Downmix::Downmix(int channels, ChannelOrder order) : channels_(channels), gains_(2 * static_cast<std::size_t>(channels))
{
    const std::string_view layout = layout_of(channels, order);
    for (int c = 0; c < channels; ++c) {
        const std::array<float, 2> g = channels == 1 ? std::array{1.0f, 1.0f}
            : layout.empty()                         ? (c % 2 == 0 ? std::array{1.0f, 0.0f} : std::array{0.0f, 1.0f})
                                                     : gains_of(layout[static_cast<std::size_t>(c)]);
        gains_[2 * static_cast<std::size_t>(c)] = g[0];
        gains_[2 * static_cast<std::size_t>(c) + 1] = g[1];
    }
    // Full level on every channel must not exceed full level on either side.
    float left = 0.0f;
    float right = 0.0f;
    for (int c = 0; c < channels; ++c) {
        left += gain(c, 0);
        right += gain(c, 1);
    }
    const float loudest = std::max(left, right);
    if (channels > 2 && loudest > 1.0f) {
        for (float& g : gains_)
            g /= loudest;
    }
}

void Downmix::apply(std::span<const float> in, std::span<float> out, std::size_t frames) const
{
    const auto width = static_cast<std::size_t>(channels_);
    if (channels_ == 2) {
        std::copy_n(in.begin(), 2 * frames, out.begin());
        return;
    }
    for (std::size_t f = 0; f < frames; ++f) {
        float left = 0.0f;
        float right = 0.0f;
        for (std::size_t c = 0; c < width; ++c) {
            const float sample = in[width * f + c];
            left += sample * gains_[2 * c];
            right += sample * gains_[2 * c + 1];
        }
        out[2 * f] = left;
        out[2 * f + 1] = right;
    }
}
