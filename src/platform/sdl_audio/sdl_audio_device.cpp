// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl_audio/sdl_audio_device.h"

#include <SDL.h>

#include <cstddef>

SdlAudioDevice::~SdlAudioDevice()
{
    close();
}

bool SdlAudioDevice::open(AudioRenderer& renderer)
{
    close();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    SDL_AudioSpec wanted{};
    wanted.freq = sample_rate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = channel_count;
    wanted.samples = 2048;
    wanted.callback = &SdlAudioDevice::pull;
    wanted.userdata = this;
    renderer_ = &renderer;
    SDL_AudioSpec granted{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &granted, 0);
    if (device_ == 0) {
        renderer_ = nullptr;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    buffer_frames_ = granted.samples;
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlAudioDevice::close()
{
    if (device_ == 0)
        return;
    SDL_CloseAudioDevice(device_); // waits for a running callback to return
    device_ = 0;
    buffer_frames_ = 0;
    renderer_ = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioDevice::pull(void* user, std::uint8_t* stream, int bytes)
{
    auto* self = static_cast<SdlAudioDevice*>(user);
    auto* samples = reinterpret_cast<float*>(stream);
    self->renderer_->render({samples, static_cast<std::size_t>(bytes) / sizeof(float)});
}
