// SPDX-License-Identifier: GPL-3.0-or-later
// WebAudioDevice: sound through Web Audio. The page keeps one AudioContext at 44.1 kHz (the
// browser resamples for the output); an open device feeds a ScriptProcessorNode, whose
// callback runs on the page's one thread between events and pulls the mixer through
// vorlunde_web_render. No SharedArrayBuffer, so the page needs no special headers. Browsers
// start a context only after a user gesture: the page resumes it on the first click or key.
// Main thread only.
#pragma once

#include "platform/audio_device.h"

#include <vector>

class WebAudioDevice final : public AudioDevice {
public:
    // Frames pulled in one callback (about 93 ms).
    static constexpr int frames_per_callback = 4096;

    WebAudioDevice() : samples_(static_cast<std::size_t>(frames_per_callback) * channel_count, 0.0f) {}
    ~WebAudioDevice() override;
    WebAudioDevice(const WebAudioDevice&) = delete;
    WebAudioDevice& operator=(const WebAudioDevice&) = delete;

    bool open(AudioRenderer& renderer) override;
    void close() override;
    int buffer_frames() const override { return renderer_ ? frames_per_callback : 0; }

    // The callback's work: `frames` interleaved stereo frames from the renderer, silence when
    // closed. The returned samples stay valid until the next call.
    const float* render(int frames);

private:
    AudioRenderer* renderer_ = nullptr;
    std::vector<float> samples_;
};
