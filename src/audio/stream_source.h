// SPDX-License-Identifier: GPL-3.0-or-later
// StreamSource: one compressed stream (MP3, Ogg Vorbis, FLAC, Opus) decoded at its own
// sample rate and channel count. StreamDecoder turns it into the engine's 44.1 kHz stereo.
//
// Frames are counted at the source's rate; a frame holds channels() interleaved floats.
// Not thread-safe: one thread at a time (the loader opens it, then the mixer reads it
// under the engine's lock).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Which speaker each channel index stands for, by the convention of the format.
enum class ChannelOrder : std::uint8_t {
    vorbis, // Ogg Vorbis and Opus: L C R for three, FL C FR RL RR LFE for six
    wave,   // FLAC (and WAVE): L R C for three, FL FR C LFE BL BR for six
};

class StreamSource {
public:
    virtual ~StreamSource() = default;

    virtual int rate() const = 0;     // frames per second, > 0
    virtual int channels() const = 0; // >= 1
    virtual ChannelOrder order() const = 0;

    // Decodes up to interleaved.size() / channels() frames; returns the frames written.
    // Fewer only at the end of the stream; 0 once the end has been reached.
    virtual std::size_t read(std::span<float> interleaved) = 0;

    // Frames in the stream (encoder delay and padding not counted).
    virtual std::int64_t length() const = 0;

    // Moves to `frame` (0 <= frame < length()) sample-exactly; false when the library failed.
    virtual bool seek(std::int64_t frame) = 0;
};
