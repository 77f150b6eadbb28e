// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/audio_output.h"

AudioOutput::AudioOutput(AudioDevice& device, AudioEngine& engine, const Clock& clock)
    : device_(device), engine_(engine), clock_(clock)
{
}

AudioOutput::~AudioOutput()
{
    close();
}

void AudioOutput::open()
{
    if (!open_) {
        open_ = device_.open(engine_);
        open_failed_ = !open_;
    }
    silent_since_ms_.reset();
}

std::optional<std::chrono::milliseconds> AudioOutput::update()
{
    if (engine_.sounding()) {
        if (!open_failed_)
            open();
        return sounding_check;
    }
    open_failed_ = false;
    if (!open_)
        return std::nullopt;
    const std::uint64_t now = clock_.now_ms();
    if (!silent_since_ms_)
        silent_since_ms_ = now;
    const std::uint64_t silent_ms = now - *silent_since_ms_;
    if (silent_ms >= idle_close_ms) {
        close();
        return std::nullopt;
    }
    return std::chrono::milliseconds(static_cast<std::int64_t>(idle_close_ms - silent_ms));
}

void AudioOutput::close()
{
    device_.close();
    open_ = false;
    silent_since_ms_.reset();
}
