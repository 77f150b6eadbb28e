// SPDX-License-Identifier: GPL-3.0-or-later
// FlacSource: FLAC streams (native or in Ogg) through libFLAC at the file's own rate and
// channel count (WAVE order), as float. Needs the total sample count of STREAMINFO, which
// gives the length; seeks are sample-exact (FLAC__stream_decoder_seek_absolute).
#pragma once

#include "audio/memory_reader.h"
#include "audio/stream_source.h"
#include "audio/track_source.h"

#include <FLAC/stream_decoder.h>

#include <memory>
#include <optional>
#include <vector>


class FlacSource final : public StreamSource {
public:
    // nullptr when the bytes are not FLAC with a known length. `in_ogg`: FLAC in an Ogg container.
    static std::unique_ptr<FlacSource> open(const TrackSource& source, bool in_ogg);

    FlacSource(const FlacSource&) = delete;
    FlacSource& operator=(const FlacSource&) = delete;
    ~FlacSource() override;

    int rate() const override { return rate_; }
    int channels() const override { return channels_; }
    ChannelOrder order() const override { return ChannelOrder::wave; }
    std::size_t read(std::span<float> interleaved) override;
    std::int64_t length() const override { return length_; }
    bool seek(std::int64_t frame) override;

    // libFLAC's callbacks reach these.
    struct Callbacks;

private:
    FlacSource();
    bool start(const TrackSource& source, bool in_ogg);

    FLAC__StreamDecoder* decoder_;
    std::optional<MemoryReader> reader_; // the archive view, while playing from the archive
    std::int64_t archive_size_ = 0;
    std::vector<float> pending_;         // decoded interleaved frames not yet read
    std::size_t pending_offset_ = 0;     // floats of pending_ already handed out
    std::int64_t length_ = 0;
    int rate_ = 0;
    int channels_ = 0;
    int bits_ = 0;
    bool failed_ = false;
};
