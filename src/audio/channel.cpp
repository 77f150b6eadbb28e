// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/channel.h"

#include "platform/audio_device.h"

#include <algorithm>

Channel::MixResult Channel::mix_into(std::span<float> out, std::span<float> scratch, FftSpectrumAnalyzer* tap)
{
    MixResult result;
    const std::size_t frames = out.size() / 2;
    const std::size_t block = scratch.size() / 2;
    while (result.frames < frames && activity_ == Activity::playing) {
        const std::size_t wanted = std::min(block, frames - result.frames);
        const std::size_t got = decoder_->read(scratch.first(2 * wanted));
        if (tap != nullptr)
            tap->push(scratch.first(2 * got));
        add_scaled(scratch, out.subspan(2 * result.frames), got);
        result.frames += got;
        if (got < wanted) {
            result.ended = true;
            if (loops_)
                decoder_->set_position(0);
            else
                activity_ = Activity::stopped;
            break;
        }
    }
    return result;
}

void Channel::add_scaled(std::span<const float> samples, std::span<float> out, std::size_t frames)
{
    std::size_t f = 0;
    for (; f < frames && slide_frames_left_ > 0; ++f) {
        volume_ += slide_step_;
        if (--slide_frames_left_ == 0) {
            volume_ = slide_target_;
            if (stop_after_slide_) {
                activity_ = Activity::stopped; // silent from here on
                return;
            }
        }
        const auto gain = static_cast<float>(volume_ / 100.0);
        out[2 * f] += samples[2 * f] * gain;
        out[2 * f + 1] += samples[2 * f + 1] * gain;
    }
    const auto gain = static_cast<float>(volume_ / 100.0);
    if (gain == 0.0f)
        return;
    for (std::size_t i = 2 * f; i < 2 * frames; ++i)
        out[i] += samples[i] * gain;
}

void Channel::pause()
{
    if (activity_ == Activity::playing)
        activity_ = Activity::paused;
}

void Channel::resume()
{
    if (activity_ == Activity::paused)
        activity_ = Activity::playing;
}

void Channel::set_volume(int volume)
{
    volume_ = std::clamp(volume, 0, 100);
    slide_frames_left_ = 0;
    stop_after_slide_ = false;
}

void Channel::slide_volume(int target, std::uint32_t duration_ms)
{
    stop_after_slide_ = target == AudioOperations::slide_to_stop;
    slide_target_ = stop_after_slide_ ? 0 : std::clamp(target, 0, 100);
    slide_frames_left_ = std::uint64_t{duration_ms} * AudioDevice::sample_rate / 1000;
    if (slide_frames_left_ == 0) {
        volume_ = slide_target_;
        if (stop_after_slide_)
            activity_ = Activity::stopped;
        stop_after_slide_ = false;
        return;
    }
    slide_step_ = (slide_target_ - volume_) / static_cast<double>(slide_frames_left_);
}
