// VorbisDecoder: Ogg Vorbis streams through libvorbisfile, mono or stereo at 44.1 kHz
// (mono is played on both sides). Seeks are sample-exact (ov_pcm_seek).
#pragma once

#include "audio/decoder.h"
#include "audio/memory_reader.h"

#include <vorbis/vorbisfile.h>

#include <optional>

class VorbisDecoder final : public Decoder {
public:
    // nullptr when the bytes are not Ogg Vorbis at 44.1 kHz with one or two channels.
    static std::unique_ptr<VorbisDecoder> open(const TrackSource& source);

    VorbisDecoder(const VorbisDecoder&) = delete;
    VorbisDecoder& operator=(const VorbisDecoder&) = delete;
    ~VorbisDecoder() override;

    std::size_t read(std::span<float> interleaved) override;
    std::int64_t position() const override { return position_; }
    void set_position(std::int64_t frame) override;
    std::int64_t length() const override { return length_; }

private:
    VorbisDecoder() = default;
    bool start(const TrackSource& source);

    OggVorbis_File file_{};
    bool file_open_ = false;
    std::optional<MemoryReader> reader_; // the archive view, while playing from the archive
    std::int64_t position_ = 0;
    std::int64_t length_ = 0;
};
