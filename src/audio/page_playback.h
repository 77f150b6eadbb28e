// SPDX-License-Identifier: GPL-3.0-or-later
// PagePlayback: what a page reads from and asks of the playlist and the audio engine in its
// command reactions. Implemented over the audio engine and the tracklist; called on the UI
// thread only (the implementation guards state that the audio thread shares).
#pragma once

#include "audio/track_entry.h"

#include <cstdint>

class PagePlayback {
public:
    // The playlist index of the current track.
    virtual PlaylistIndex current_index() const = 0;
    // The playlist's repeat flag (lamp "musiclooped").
    virtual bool repeat() const = 0;
    // The playlist's random-order flag (lamp "musicrandom").
    virtual bool random() const = 0;
    // Seeks the current track to `percent` (0..100) of its length; only while playing.
    virtual void seek_percent(float percent) = 0;
    // How far the current track has played, 0 to 1; 0 when nothing plays or is paused.
    virtual float playback_fraction() const = 0;
    // The current track plays (neither paused nor stopped).
    virtual bool playing() const = 0;
    // When the playback fraction grows with the clock (a playing stream): the current track's
    // length in milliseconds, over which it grows from 0 to 1. Otherwise 0 (a module moves by
    // orders; nothing moves while paused or stopped).
    virtual std::int64_t playback_length_ms() const = 0;
    // Makes `index` the current track and starts it, when that entry can be played.
    virtual void play_track(PlaylistIndex index) = 0;

protected:
    ~PagePlayback() = default;
};
