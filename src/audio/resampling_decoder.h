// ResamplingDecoder: plays a stereo stream decoded at another sample rate at the output's
// 44.1 kHz, through a windowed-sinc interpolator (32 taps, Blackman window, cut-off at 85 %
// of the lower of the two Nyquist frequencies, so downsampling does not alias).
// Positions and the length are output frames; seeking converts them to source frames and
// restarts the interpolator there. Owns the wrapped decoder. Not thread-safe (the engine
// calls it under its lock); read() does not allocate.
#pragma once

#include "audio/decoder.h"

#include <array>
#include <memory>
#include <vector>

class ResamplingDecoder final : public Decoder {
public:
    // `source` decodes interleaved stereo at `source_rate` frames per second (> 0).
    ResamplingDecoder(std::unique_ptr<Decoder> source, int source_rate);

    std::size_t read(std::span<float> interleaved) override;
    std::int64_t position() const override { return position_; }
    void set_position(std::int64_t frame) override;
    std::int64_t length() const override { return length_; }

    static constexpr int taps = 32;  // source frames that shape one output frame
    static constexpr int phases = 512; // fractional positions the kernel is tabulated at

private:
    // Makes source frames up to `frame` + taps / 2 available in the window; false at the end.
    bool fill_to(std::int64_t frame);
    void restart_at(std::int64_t source_frame);

    std::unique_ptr<Decoder> source_;
    std::int64_t source_rate_;       // source frames per second
    std::vector<float> kernel_;      // phases + 1 rows of taps coefficients
    std::vector<float> window_;      // interleaved source frames from window_start_
    std::int64_t window_start_ = 0;  // source frame of window_[0]
    std::int64_t source_end_ = -1;   // source frames in the track, once the end was seen
    std::array<float, 2 * 4096> chunk_{};
    std::int64_t position_ = 0;      // output frames
    std::int64_t length_ = 0;        // output frames
};
