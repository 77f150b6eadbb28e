// SPDX-License-Identifier: GPL-3.0-or-later
// OpusSource: Ogg Opus streams through libopusfile, always at 48 kHz and downmixed to stereo
// by libopusfile (op_read_float_stereo, with the standard surround coefficients). The
// pre-skip and the end trim of the granule positions are honoured; seeks are sample-exact.
#pragma once

#include "audio/memory_reader.h"
#include "audio/stream_source.h"
#include "audio/track_source.h"

#include <memory>
#include <optional>

struct OggOpusFile;

class OpusSource final : public StreamSource {
public:
    // nullptr when the bytes are not Ogg Opus.
    static std::unique_ptr<OpusSource> open(const TrackSource& source);

    OpusSource(const OpusSource&) = delete;
    OpusSource& operator=(const OpusSource&) = delete;
    ~OpusSource() override;

    int rate() const override { return 48000; }
    int channels() const override { return 2; }
    ChannelOrder order() const override { return ChannelOrder::vorbis; }
    std::size_t read(std::span<float> interleaved) override;
    std::int64_t length() const override { return length_; }
    bool seek(std::int64_t frame) override;

private:
    OpusSource() = default;

    OggOpusFile* file_ = nullptr;
    std::optional<MemoryReader> reader_; // the archive view, while playing from the archive
    std::int64_t length_ = 0;
};
