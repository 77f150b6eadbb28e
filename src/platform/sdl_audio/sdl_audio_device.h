// SPDX-License-Identifier: GPL-3.0-or-later
// SdlAudioDevice: sound output through SDL2's audio subsystem (44.1 kHz, stereo,
// AUDIO_F32SYS). SDL calls the renderer on its own audio thread, 2,048 frames (46 ms) at a
// time: a pause or a seek is heard that much later, and the thread wakes 21 times a second. With the environment's
// SDL_AUDIODRIVER=disk SDL writes the mixed output to a file; "dummy" discards it.
// Threads: open and close on the UI thread.
#pragma once

#include "platform/audio_device.h"

#include <cstdint>

class SdlAudioDevice final : public AudioDevice {
public:
    SdlAudioDevice() = default;
    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;
    ~SdlAudioDevice() override;

    bool open(AudioRenderer& renderer) override;
    void close() override;
    int buffer_frames() const override { return buffer_frames_; }

private:
    static void pull(void* user, std::uint8_t* stream, int bytes);

    AudioRenderer* renderer_ = nullptr;
    std::uint32_t device_ = 0; // SDL_AudioDeviceID, 0 while closed
    int buffer_frames_ = 0;    // as SDL granted them, 0 while closed
};
