// SPDX-License-Identifier: GPL-3.0-or-later
// StreamDecoder: the engine's view of a StreamSource: stereo at 44.1 kHz. Other channel
// counts are folded to stereo (Downmix); other rates go through libsoxr at its high quality
// setting (about -100 dB images and aliases, linear phase), which also trims its own
// filter delay, so output frame n is source time n / 44100 s.
// Positions and the length are output frames; a seek converts them to source frames and
// restarts the resampler there. Owns the source. Not thread-safe (the engine calls it under
// its lock); read() does not allocate.
#pragma once

#include "audio/decoder.h"
#include "audio/downmix.h"
#include "audio/stream_source.h"

#include <memory>
#include <vector>

struct soxr;

class StreamDecoder final : public Decoder {
public:
    explicit StreamDecoder(std::unique_ptr<StreamSource> source);
    StreamDecoder(const StreamDecoder&) = delete;
    StreamDecoder& operator=(const StreamDecoder&) = delete;
    ~StreamDecoder() override;

    std::size_t read(std::span<float> interleaved) override;
    std::int64_t position() const override { return position_; }
    void set_position(std::int64_t frame) override;
    std::int64_t length() const override { return length_; }

    // Source frames decoded per block.
    static constexpr std::size_t block_frames = 1024;

private:
    // Decodes the next block of source frames into stereo_; 0 at the end.
    std::size_t decode_block();

    std::unique_ptr<StreamSource> source_;
    Downmix downmix_;
    soxr* resampler_ = nullptr;       // only when the source's rate is not 44.1 kHz
    std::vector<float> native_;       // one block as the source gives it
    std::vector<float> stereo_;       // the same block folded to stereo
    std::vector<float> lead_in_;      // output dropped after a seek
    std::size_t stereo_offset_ = 0;   // frames of stereo_ already resampled
    std::size_t stereo_frames_ = 0;   // frames held in stereo_
    bool source_ended_ = false;       // every source frame is in the resampler
    std::int64_t position_ = 0;       // output frames
    std::int64_t length_ = 0;         // output frames
};
