// SPDX-License-Identifier: GPL-3.0-or-later
// AudioDevice: the platform's sound output, 44.1 kHz, two channels, 32-bit float samples.
// An open device pulls interleaved frames (left, right) from its AudioRenderer: the SDL
// device on its own thread, the headless device only when a test calls render().
//
// Ownership: the device refers to the renderer; the renderer must outlive the open device.
// Threads: open and close on the UI thread. AudioRenderer::render may run on the device's
// thread at any time between open and close, so renderers guard their own state.
#pragma once

#include <chrono>
#include <span>

// Fills buffers of interleaved stereo float frames. Must not block for long or allocate in
// the steady state: it runs on the device's real-time thread.
class AudioRenderer {
public:
    // Writes exactly interleaved.size() / 2 frames (silence where nothing plays).
    virtual void render(std::span<float> interleaved) = 0;

protected:
    ~AudioRenderer() = default;
};

class AudioDevice {
public:
    static constexpr int sample_rate = 44100;
    static constexpr int channel_count = 2;

    virtual ~AudioDevice() = default;

    // Starts pulling from `renderer`. Returns false when no output could be opened; the
    // program then runs without sound. Opening an open device closes it first.
    virtual bool open(AudioRenderer& renderer) = 0;

    // Stops pulling; after it returns the renderer is no longer called. Idempotent.
    virtual void close() = 0;

    // The frames of each pull of the open device, as the system granted them; 0 while closed
    // or when the pulls are made by hand (the headless device).
    virtual int buffer_frames() const = 0;
    // How long one pull lasts, rounded up: the played position moves in steps this long.
    std::chrono::milliseconds pull_duration() const
    {
        return std::chrono::milliseconds((buffer_frames() * 1000 + sample_rate - 1) / sample_rate);
    }
};
