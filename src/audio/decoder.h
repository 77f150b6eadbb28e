// Decoder: the one boundary between the engine and a decoding library. Every format
// (tracker modules, MP3, Ogg Vorbis) implements these few operations; the engine never
// calls a library directly.
//
// Output is always 44.1 kHz interleaved stereo float. Positions and lengths are in the
// format's own unit: frames for streams, orders for modules (a module position is an
// order, always entered at row 0).
// Ownership: a decoder opened from an archive view reads the archive's bytes in place; the
// archive must outlive it. Threads: not thread-safe; the engine calls it under its lock.
#pragma once

#include "archive/data_archive.h"
#include "audio/track_entry.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <variant>

class Decoder {
public:
    virtual ~Decoder() = default;

    // Decodes into `interleaved` (two floats a frame) and returns the frames written. Fewer
    // than requested only at the end of the track; 0 once the end has been reached.
    virtual std::size_t read(std::span<float> interleaved) = 0;

    // Current position: the next frame to decode (streams) or the playing order (modules).
    virtual std::int64_t position() const = 0;

    // Moves to `position` (a frame, or an order at row 0); values outside the track are
    // clamped. Also leaves the end state, so seeking to 0 restarts a finished track.
    virtual void set_position(std::int64_t position) = 0;

    // The last valid position plus one for streams (frames), the index of the last order
    // for modules (number of orders − 1).
    virtual std::int64_t length() const = 0;
};

// Where a track's bytes come from: a file on disk or a view into the archive image.
using TrackSource = std::variant<std::filesystem::path, ArchiveFile>;

// Opens `source` with the decoder for `kind`; nullptr when the bytes cannot be decoded
// (missing, truncated or mislabelled files) or for kind none.
std::unique_ptr<Decoder> open_decoder(TrackKind kind, const TrackSource& source);
