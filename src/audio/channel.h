// SPDX-License-Identifier: GPL-3.0-or-later
// Channel: one playing track in a slot of the engine: its decoder, whether it plays, is
// paused or has stopped, and its volume with an optional linear slide.
//
// Volume is 0 to 100 (linear gain volume / 100), 100 when opened. A slide moves it linearly
// to a target over a duration, counted in rendered frames (44.1 per millisecond), so paused
// time does not count; the target AudioOperations::slide_to_stop slides to 0 and then stops
// the channel.
// A looping channel restarts from its beginning at the end of its track and reports the end;
// any other stops there.
// Not thread-safe: the engine calls it under its lock. mix_into() never allocates.
#pragma once

#include "audio/audio_operations.h"
#include "audio/decoder.h"
#include "audio/fft_spectrum_analyzer.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>

class Channel {
public:
    // Channel activity as the engine reports it.
    enum class Activity : std::uint8_t { stopped, playing, paused };

    struct MixResult {
        std::size_t frames = 0; // frames taken from the decoder
        bool ended = false;     // the track reached its end during this call
    };

    Channel(std::unique_ptr<Decoder> decoder, bool loops) : decoder_(std::move(decoder)), loops_(loops) {}

    // Adds this channel's next frames, at its volume, to `out` (interleaved stereo), decoding
    // through `scratch` (any even size). Stops early at the track's end; a looping channel has
    // then already rewound. Feeds the undimmed frames to `tap` when given.
    MixResult mix_into(std::span<float> out, std::span<float> scratch, FftSpectrumAnalyzer* tap);

    Activity activity() const { return activity_; }
    void pause();  // playing -> paused
    void resume(); // paused -> playing

    // Sets the volume (clamped to 0..100) and ends a running slide.
    void set_volume(int volume);
    // Slides from the present volume to `target` (0..100, or AudioOperations::slide_to_stop).
    void slide_volume(int target, std::uint32_t duration_ms);
    double volume() const { return volume_; }

    // Whether the track starts again at its end (repeat) or the channel stops there.
    void set_loops(bool loops) { loops_ = loops; }
    // Hands the decoder over (to be destroyed elsewhere); the channel is unusable afterwards.
    std::unique_ptr<Decoder> take_decoder() { return std::move(decoder_); }
    // Plays on from `decoder` (the same track, opened at another place) and returns the old one.
    std::unique_ptr<Decoder> replace_decoder(std::unique_ptr<Decoder> decoder) { return std::exchange(decoder_, std::move(decoder)); }

    Decoder& decoder() { return *decoder_; }
    const Decoder& decoder() const { return *decoder_; }

private:
    // Adds `frames` frames of `samples` to `out` at the (sliding) volume.
    void add_scaled(std::span<const float> samples, std::span<float> out, std::size_t frames);

    std::unique_ptr<Decoder> decoder_;
    bool loops_;
    Activity activity_ = Activity::playing;
    double volume_ = 100.0;
    double slide_target_ = 0.0;
    double slide_step_ = 0.0;          // volume change per frame
    std::uint64_t slide_frames_left_ = 0;
    bool stop_after_slide_ = false;
};
