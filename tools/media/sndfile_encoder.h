// SPDX-License-Identifier: GPL-3.0-or-later
// Test audio: PCM made in code, encoded to Ogg Vorbis or MP3 in memory by libsndfile.
// All PCM here is interleaved stereo float at 44.1 kHz.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// `frames` frames of a sine of `hz` at `amplitude` on both sides.
std::vector<float> sine_pcm(double hz, std::size_t frames, float amplitude);

enum class EncodedFormat { ogg_vorbis, mp3 };

// The encoded file's bytes; throws std::runtime_error when libsndfile cannot encode.
std::vector<std::uint8_t> encode_pcm(std::span<const float> interleaved, EncodedFormat format);
