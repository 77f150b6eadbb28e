// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/headless_audio_device.h"

#include <algorithm>

bool HeadlessAudioDevice::open(AudioRenderer& renderer)
{
    renderer_ = &renderer;
    return true;
}

void HeadlessAudioDevice::close()
{
    renderer_ = nullptr;
}

std::span<const float> HeadlessAudioDevice::render(std::size_t frames)
{
    buffer_.resize(frames * channel_count);
    if (renderer_ != nullptr)
        renderer_->render(buffer_);
    else
        std::fill(buffer_.begin(), buffer_.end(), 0.0f);
    return buffer_;
}
