// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web/web_audio_device.h"

#include <emscripten.h>

#include <algorithm>

namespace {

// Connects a ScriptProcessorNode that pulls from `device`; false without Web Audio.
EM_JS(int, audio_connect, (WebAudioDevice* device, int sample_rate, int frames), {
    return Module.vorlundePage.connectAudio(device, sample_rate, frames) ? 1 : 0;
});

EM_JS(void, audio_disconnect, (), {
    Module.vorlundePage.disconnectAudio();
});

} // namespace

WebAudioDevice::~WebAudioDevice()
{
    close();
}

bool WebAudioDevice::open(AudioRenderer& renderer)
{
    close();
    renderer_ = &renderer;
    if (!audio_connect(this, sample_rate, frames_per_callback)) {
        renderer_ = nullptr;
        return false;
    }
    return true;
}

void WebAudioDevice::close()
{
    if (!renderer_)
        return;
    audio_disconnect();
    renderer_ = nullptr;
}

const float* WebAudioDevice::render(int frames)
{
    const std::size_t count = static_cast<std::size_t>(std::clamp(frames, 0, frames_per_callback)) * channel_count;
    if (renderer_)
        renderer_->render(std::span(samples_.data(), count));
    else
        std::fill_n(samples_.begin(), count, 0.0f);
    return samples_.data();
}

extern "C" EMSCRIPTEN_KEEPALIVE const float* vorlunde_web_render(WebAudioDevice* device, int frames)
{
    return device->render(frames);
}
