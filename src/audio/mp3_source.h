// SPDX-License-Identifier: GPL-3.0-or-later
// Mp3Source: MPEG audio streams through mpg123 at the stream's own rate, mono or stereo, as
// float. Gapless mode is on: the encoder delay and padding that LAME records are not decoded,
// so two tracks cut from one recording join sample for sample. The stream is scanned once on
// opening so that its length and every seek are sample-exact.
#pragma once

#include "audio/memory_reader.h"
#include "audio/stream_source.h"
#include "audio/track_source.h"

#include <memory>
#include <optional>

struct mpg123_handle_struct;

class Mp3Source final : public StreamSource {
public:
    // nullptr when the bytes hold no decodable MPEG audio.
    static std::unique_ptr<Mp3Source> open(const TrackSource& source);

    Mp3Source(const Mp3Source&) = delete;
    Mp3Source& operator=(const Mp3Source&) = delete;
    ~Mp3Source() override;

    int rate() const override { return rate_; }
    int channels() const override { return channels_; }
    ChannelOrder order() const override { return ChannelOrder::wave; }
    std::size_t read(std::span<float> interleaved) override;
    std::int64_t length() const override { return length_; }
    bool seek(std::int64_t frame) override;

private:
    Mp3Source();
    bool start(const TrackSource& source);

    mpg123_handle_struct* handle_;
    std::optional<MemoryReader> reader_; // the archive view, while playing from the archive
    std::int64_t length_ = 0;
    int rate_ = 0;
    int channels_ = 0;
};
