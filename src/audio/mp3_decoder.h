// Mp3Decoder: MPEG audio streams through mpg123, converted by mpg123 itself to 44.1 kHz
// stereo float. The stream is scanned once on opening so that its length and every seek
// are sample-exact (gapless: encoder delay and padding are not counted).
#pragma once

#include "audio/decoder.h"
#include "audio/memory_reader.h"

#include <optional>

struct mpg123_handle_struct;

class Mp3Decoder final : public Decoder {
public:
    // nullptr when the bytes hold no decodable MPEG audio.
    static std::unique_ptr<Mp3Decoder> open(const TrackSource& source);

    Mp3Decoder(const Mp3Decoder&) = delete;
    Mp3Decoder& operator=(const Mp3Decoder&) = delete;
    ~Mp3Decoder() override;

    std::size_t read(std::span<float> interleaved) override;
    std::int64_t position() const override { return position_; }
    void set_position(std::int64_t frame) override;
    std::int64_t length() const override { return length_; }

private:
    Mp3Decoder();
    bool start(const TrackSource& source);

    mpg123_handle_struct* handle_;
    std::optional<MemoryReader> reader_; // the archive view, while playing from the archive
    std::int64_t position_ = 0;
    std::int64_t length_ = 0;
};
