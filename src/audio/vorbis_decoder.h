// VorbisDecoder: Ogg Vorbis streams through libvorbisfile, mono or stereo (mono is played
// on both sides), at the file's own sample rate (open_decoder resamples other rates than
// 44.1 kHz). Seeks are sample-exact (ov_pcm_seek).
#pragma once

#include "audio/decoder.h"
#include "audio/memory_reader.h"

#include <vorbis/vorbisfile.h>

#include <optional>

class VorbisDecoder final : public Decoder {
public:
    // nullptr when the bytes are not Ogg Vorbis with one or two channels and one sample rate
    // throughout.
    static std::unique_ptr<VorbisDecoder> open(const TrackSource& source);

    VorbisDecoder(const VorbisDecoder&) = delete;
    VorbisDecoder& operator=(const VorbisDecoder&) = delete;
    ~VorbisDecoder() override;

    std::size_t read(std::span<float> interleaved) override;
    std::int64_t position() const override { return position_; }
    void set_position(std::int64_t frame) override;
    std::int64_t length() const override { return length_; }
    // Frames per second of the decoded output.
    int rate() const { return rate_; }

private:
    VorbisDecoder() = default;
    bool start(const TrackSource& source);

    OggVorbis_File file_{};
    bool file_open_ = false;
    std::optional<MemoryReader> reader_; // the archive view, while playing from the archive
    std::int64_t position_ = 0;
    std::int64_t length_ = 0;
    int rate_ = 0;
};
