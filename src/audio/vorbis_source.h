// SPDX-License-Identifier: GPL-3.0-or-later
// VorbisSource: Ogg Vorbis streams through libvorbisfile at the file's own rate and channel
// count (Vorbis order). Seeks are sample-exact (ov_pcm_seek); granule positions give the
// exact length, so a track ends on its last real sample.
#pragma once

#include "audio/memory_reader.h"
#include "audio/stream_source.h"
#include "audio/track_source.h"

#include <vorbis/vorbisfile.h>

#include <memory>
#include <optional>

class VorbisSource final : public StreamSource {
public:
    // nullptr when the bytes are not Ogg Vorbis with one rate and channel count throughout.
    static std::unique_ptr<VorbisSource> open(const TrackSource& source);

    VorbisSource(const VorbisSource&) = delete;
    VorbisSource& operator=(const VorbisSource&) = delete;
    ~VorbisSource() override;

    int rate() const override { return rate_; }
    int channels() const override { return channels_; }
    ChannelOrder order() const override { return ChannelOrder::vorbis; }
    std::size_t read(std::span<float> interleaved) override;
    std::int64_t length() const override { return length_; }
    bool seek(std::int64_t frame) override { return ov_pcm_seek(&file_, frame) == 0; }

private:
    VorbisSource() = default;
    bool start(const TrackSource& source);

    OggVorbis_File file_{};
    bool file_open_ = false;
    std::optional<MemoryReader> reader_; // the archive view, while playing from the archive
    std::int64_t length_ = 0;
    int rate_ = 0;
    int channels_ = 0;
};
