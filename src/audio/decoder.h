// SPDX-License-Identifier: GPL-3.0-or-later
// Decoder: the one boundary between the engine and the decoding libraries. Tracker modules
// and streams (MP3, Ogg Vorbis, FLAC, Opus, through StreamDecoder) implement these few
// operations; the engine never calls a library directly.
//
// Output is always 44.1 kHz interleaved stereo float. Positions and lengths are in the
// format's own unit: frames for streams, orders for modules (a module position is an
// order, always entered at row 0). Times (for the desktop's media remote) are microseconds;
// by default they are the positions taken as frames, which modules override.
// Ownership: a decoder opened from an archive view reads the archive's bytes in place; the
// archive must outlive it. Threads: not thread-safe; opened on the UI thread or the engine's
// loader thread, then used by one thread at a time under the engine's lock.
#pragma once

#include "audio/track_entry.h"
#include "audio/track_source.h"
#include "platform/audio_device.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

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

    // Where playback is, how long the track lasts (0: unknown), in microseconds.
    virtual std::int64_t time_us() const { return frames_to_us(position()); }
    virtual std::int64_t duration_us() const { return frames_to_us(length()); }
    // Moves to `time_us`, clamped to the track, leaving the end state as set_position does.
    virtual void set_time_us(std::int64_t time_us) { set_position(us_to_frames(time_us)); }

    // Frames at the mixing rate to microseconds and back, whole seconds first so that no
    // product overflows for any position a track can have (or any time asked for).
    static std::int64_t frames_to_us(std::int64_t frames)
    {
        return frames / AudioDevice::sample_rate * 1'000'000 +
               frames % AudioDevice::sample_rate * 1'000'000 / AudioDevice::sample_rate;
    }
    static std::int64_t us_to_frames(std::int64_t us)
    {
        return us / 1'000'000 * AudioDevice::sample_rate + us % 1'000'000 * AudioDevice::sample_rate / 1'000'000;
    }
};

// Opens `source` with the decoder for `kind`; nullptr when the bytes cannot be decoded
// (missing, truncated or mislabelled files) or for kind none. A stream's format comes from
// its first bytes: Ogg (Vorbis, Opus or FLAC inside), FLAC, else MPEG audio. Opens files:
// never call it on the audio device's thread.
std::unique_ptr<Decoder> open_decoder(TrackKind kind, const TrackSource& source);

// How the engine opens its decoders: open_decoder, or a stand-in of the same contract.
using DecoderOpener = std::unique_ptr<Decoder> (*)(TrackKind kind, const TrackSource& source);
