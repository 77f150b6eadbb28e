// SPDX-License-Identifier: GPL-3.0-or-later
// Downmix: folds any number of channels into stereo with the usual coefficients. Mono goes
// to both sides at full level; stereo passes unchanged; surround layouts use the ITU-R
// BS.775 coefficients (centre and surrounds at -3 dB into their side, LFE left out), scaled
// down where needed so that full-level input cannot clip. Layouts of more than eight
// channels alternate left and right. Plain value type; apply() does not allocate.
#pragma once

#include "audio/stream_source.h"

#include <cstddef>
#include <span>
#include <vector>

class Downmix {
public:
    Downmix(int channels, ChannelOrder order);

    // Writes `frames` stereo frames to `out` from `frames` frames of `in` (channels wide).
    void apply(std::span<const float> in, std::span<float> out, std::size_t frames) const;

    // The gain of input channel `channel` into the left (side 0) or right (side 1) output.
    float gain(int channel, int side) const { return gains_[2 * static_cast<std::size_t>(channel) + static_cast<std::size_t>(side)]; }

private:
    int channels_;
    std::vector<float> gains_; // left and right gain of each input channel
};
