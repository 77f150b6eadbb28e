// SPDX-License-Identifier: GPL-3.0-or-later
// HeadlessAudioDevice: an AudioDevice that runs nothing by itself. A test pulls exactly the
// frames it wants with render(), so fades, slides and track ends happen at known frames.
// Threads: render() may be called from any one thread at a time (a test may run a pulling
// std::thread); open and close must not race with it.
#pragma once

#include "platform/audio_device.h"

#include <cstddef>
#include <span>
#include <vector>

class HeadlessAudioDevice final : public AudioDevice {
public:
    bool open(AudioRenderer& renderer) override;
    void close() override;
    int buffer_frames() const override { return 0; }

    // Pulls `frames` frames from the renderer and returns them, interleaved; the view stays
    // valid until the next call. Returns silence while the device is closed.
    std::span<const float> render(std::size_t frames);

    bool is_open() const { return renderer_ != nullptr; }

private:
    AudioRenderer* renderer_ = nullptr;
    std::vector<float> buffer_;
};
