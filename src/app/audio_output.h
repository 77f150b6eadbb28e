// SPDX-License-Identifier: GPL-3.0-or-later
// AudioOutput: keeps the audio device open only while the engine has something to play.
// An open device pulls the mixer on its own thread even when the mixer gives silence (SDL's
// thread wakes some 43 times a second), so a player at rest closes it once the engine has
// been silent for `idle_close_ms`, and opens it again as soon as something plays. Pausing
// and resuming within that time, or the gap between tracks, keep it open.
//
// Ownership: borrows the device, the engine and the clock; all must outlive it.
// Threads: UI thread only (the device opens and closes there).
#pragma once

#include "audio/audio_engine.h"
#include "platform/audio_device.h"
#include "platform/clock.h"

#include <chrono>
#include <cstdint>
#include <optional>

class AudioOutput {
public:
    // Silence this long (milliseconds of the clock) closes the device.
    static constexpr std::uint64_t idle_close_ms = 3000;
    // While the engine sounds, how often to look whether it has fallen silent by itself.
    static constexpr std::chrono::milliseconds sounding_check{1000};

    AudioOutput(AudioDevice& device, AudioEngine& engine, const Clock& clock);
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Opens the device at once (the engine may be about to play). Without an output the
    // player runs without sound, and tries again the next time the engine starts to sound.
    void open();
    // Call after anything may have started or stopped playing: opens the device when the
    // engine sounds, closes it after idle_close_ms of silence. Returns when to call again at
    // the latest (nullopt: not before something else happens).
    std::optional<std::chrono::milliseconds> update();
    void close();

private:
    AudioDevice& device_;
    AudioEngine& engine_;
    const Clock& clock_;
    bool open_ = false;
    bool open_failed_ = false; // since the engine last started to sound
    std::optional<std::uint64_t> silent_since_ms_;
};
