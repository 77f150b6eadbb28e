// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/stream_decoder.h"

#include "platform/audio_device.h"

#include <soxr.h>

#include <algorithm>
#include <numeric>

namespace {

constexpr std::int64_t output_rate = AudioDevice::sample_rate;
// Source frames decoded before a seek target to fill the resampler's filter.
constexpr std::int64_t resampler_lead_in = 1024;

soxr* make_resampler(int source_rate)
{
    if (source_rate == output_rate)
        return nullptr;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    const soxr_runtime_spec_t runtime = soxr_runtime_spec(1); // no worker threads of its own
    soxr_error_t error = nullptr;
    soxr* resampler = soxr_create(source_rate, output_rate, 2, &error, &io, &quality, &runtime);
    return error == nullptr ? resampler : nullptr;
}

} // namespace

StreamDecoder::StreamDecoder(std::unique_ptr<StreamSource> source)
    : source_(std::move(source)), downmix_(source_->channels(), source_->order()),
      resampler_(make_resampler(source_->rate())),
      native_(block_frames * static_cast<std::size_t>(source_->channels())), stereo_(2 * block_frames),
      lead_in_(resampler_ == nullptr ? 0 : 2 * block_frames),
      length_(source_->length() * output_rate / source_->rate())
{
}

StreamDecoder::~StreamDecoder()
{
    if (resampler_ != nullptr)
        soxr_delete(resampler_);
}

std::size_t StreamDecoder::decode_block()
{
    const std::size_t got = source_->read(native_);
    downmix_.apply(native_, stereo_, got);
    return got;
}

std::size_t StreamDecoder::read(std::span<float> interleaved)
{
    const std::size_t frames = std::min<std::size_t>(interleaved.size() / 2, static_cast<std::size_t>(length_ - position_));
    std::size_t done = 0;
    if (resampler_ == nullptr) {
        while (done < frames) {
            const std::size_t got = source_->read(std::span(native_).first(
                std::min(block_frames, frames - done) * static_cast<std::size_t>(source_->channels())));
            if (got == 0)
                break;
            downmix_.apply(native_, interleaved.subspan(2 * done), got);
            done += got;
        }
    } else {
        while (done < frames) {
            if (stereo_offset_ == stereo_frames_ && !source_ended_) {
                stereo_frames_ = decode_block();
                stereo_offset_ = 0;
                source_ended_ = stereo_frames_ == 0;
            }
            // Once the source has ended, a null input asks soxr for the rest of its output.
            const float* in = source_ended_ ? nullptr : stereo_.data() + 2 * stereo_offset_;
            std::size_t used = 0;
            std::size_t made = 0;
            soxr_process(resampler_, in, stereo_frames_ - stereo_offset_, &used, interleaved.data() + 2 * done,
                frames - done, &made);
            stereo_offset_ += used;
            done += made;
            if (source_ended_ && made == 0)
                break;
        }
    }
    position_ += static_cast<std::int64_t>(done);
    return done;
}

// A resampled stream restarts at a source frame whose time falls on an output frame, some
// way before the target, so the resampler's filter is filled when the target's frames come
// out at exactly their times; the frames before the target are decoded and dropped.
void StreamDecoder::set_position(std::int64_t frame)
{
    position_ = std::clamp<std::int64_t>(frame, 0, length_);
    stereo_offset_ = stereo_frames_ = 0;
    source_ended_ = false;
    const std::int64_t rate = source_->rate();
    std::int64_t source_frame = position_ * rate / output_rate;
    std::int64_t lead_in = 0;
    if (resampler_ != nullptr) {
        soxr_clear(resampler_);
        const std::int64_t aligned_step = rate / std::gcd(rate, output_rate);
        source_frame = std::max<std::int64_t>(0, source_frame - resampler_lead_in) / aligned_step * aligned_step;
        lead_in = position_ - source_frame * output_rate / rate;
    }
    if (position_ == length_ || source_frame >= source_->length() || !source_->seek(source_frame)) {
        source_ended_ = true; // at the end, or the library could not seek: nothing more plays
        position_ = length_;
        return;
    }
    position_ -= lead_in;
    while (lead_in > 0) {
        const std::size_t got = read(std::span(lead_in_).first(2 * static_cast<std::size_t>(std::min<std::int64_t>(lead_in, block_frames))));
        if (got == 0)
            break;
        lead_in -= static_cast<std::int64_t>(got);
    }
}
