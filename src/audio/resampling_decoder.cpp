#include "audio/resampling_decoder.h"

#include "platform/audio_device.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int half_taps = ResamplingDecoder::taps / 2;

// Blackman-windowed sinc with the given cut-off (1 = the source's Nyquist frequency),
// tabulated for fractional offsets 0..1 in `phases` steps; each row sums to 1.
std::vector<float> make_kernel(double cutoff)
{
    const int rows = ResamplingDecoder::phases + 1;
    std::vector<float> kernel(static_cast<std::size_t>(rows) * ResamplingDecoder::taps);
    for (int phase = 0; phase < rows; ++phase) {
        const double fraction = static_cast<double>(phase) / ResamplingDecoder::phases;
        double sum = 0;
        float* row = kernel.data() + static_cast<std::ptrdiff_t>(phase) * ResamplingDecoder::taps;
        for (int tap = 0; tap < ResamplingDecoder::taps; ++tap) {
            const double x = tap - (half_taps - 1) - fraction; // distance from the output point
            const double sinc = x == 0 ? 1.0 : std::sin(std::numbers::pi * x * cutoff) / (std::numbers::pi * x * cutoff);
            const double w = (x + half_taps) / ResamplingDecoder::taps; // 0..1 over the span
            const double blackman = 0.42 - 0.5 * std::cos(2 * std::numbers::pi * w) + 0.08 * std::cos(4 * std::numbers::pi * w);
            row[tap] = static_cast<float>(sinc * blackman);
            sum += row[tap];
        }
        for (int tap = 0; tap < ResamplingDecoder::taps; ++tap)
            row[tap] = static_cast<float>(row[tap] / sum);
    }
    return kernel;
}

} // namespace

ResamplingDecoder::ResamplingDecoder(std::unique_ptr<Decoder> source, int source_rate)
    : source_(std::move(source)), source_rate_(source_rate),
      kernel_(make_kernel(0.85 * std::min(1.0, static_cast<double>(AudioDevice::sample_rate) / source_rate)))
{
    length_ = source_->length() * AudioDevice::sample_rate / source_rate_;
    window_.reserve(2 * (chunk_.size() / 2 + 2 * taps));
    restart_at(source_->position());
}

void ResamplingDecoder::restart_at(std::int64_t source_frame)
{
    window_.clear();
    source_end_ = -1;
    // The interpolator looks half a kernel back: start the window with silence there.
    window_start_ = source_frame - half_taps;
    window_.assign(2 * half_taps, 0.0f);
}

bool ResamplingDecoder::fill_to(std::int64_t frame)
{
    const std::int64_t needed = frame + half_taps + 1;
    while (window_start_ + static_cast<std::int64_t>(window_.size() / 2) < needed) {
        if (source_end_ >= 0) {
            // Past the end the kernel sees silence, so the last frames ring out cleanly.
            window_.push_back(0.0f);
            window_.push_back(0.0f);
            continue;
        }
        const std::size_t got = source_->read(chunk_);
        if (got == 0) {
            source_end_ = window_start_ + static_cast<std::int64_t>(window_.size() / 2);
            continue;
        }
        // Drop what the interpolator no longer needs before appending, keeping read() free of
        // allocations once the window has reached its working size.
        const std::int64_t keep_from = std::max<std::int64_t>(window_start_, frame - half_taps);
        const auto drop = static_cast<std::size_t>(keep_from - window_start_);
        if (drop > 0) {
            window_.erase(window_.begin(), window_.begin() + static_cast<std::ptrdiff_t>(2 * drop));
            window_start_ = keep_from;
        }
        window_.insert(window_.end(), chunk_.begin(), chunk_.begin() + static_cast<std::ptrdiff_t>(2 * got));
    }
    return true;
}

std::size_t ResamplingDecoder::read(std::span<float> interleaved)
{
    const std::size_t frames = interleaved.size() / 2;
    std::size_t done = 0;
    for (; done < frames && position_ < length_; ++done, ++position_) {
        // The output frame lies at source frame base + remainder / sample_rate.
        const std::int64_t scaled = position_ * source_rate_;
        const std::int64_t base = scaled / AudioDevice::sample_rate;
        const std::int64_t remainder = scaled % AudioDevice::sample_rate;
        fill_to(base);
        const auto phase = static_cast<std::ptrdiff_t>((remainder * phases + AudioDevice::sample_rate / 2) / AudioDevice::sample_rate);
        const float* row = kernel_.data() + phase * taps;
        const float* in = window_.data() + 2 * (base - (half_taps - 1) - window_start_);
        float left = 0.0f;
        float right = 0.0f;
        for (int tap = 0; tap < taps; ++tap) {
            left += row[tap] * in[2 * tap];
            right += row[tap] * in[2 * tap + 1];
        }
        interleaved[2 * done] = left;
        interleaved[2 * done + 1] = right;
    }
    return done;
}

void ResamplingDecoder::set_position(std::int64_t frame)
{
    position_ = std::clamp<std::int64_t>(frame, 0, length_);
    source_->set_position(position_ * source_rate_ / AudioDevice::sample_rate);
    restart_at(source_->position());
}
