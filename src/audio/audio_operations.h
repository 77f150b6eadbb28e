// SPDX-License-Identifier: GPL-3.0-or-later
// AudioOperations: what the command processor asks of the audio engine and its tracklists.
// Volumes are on the 0..100 scale; a slide to slide_to_stop goes to silence and then stops
// the channel. Durations are milliseconds. Called on the UI thread; an implementation guards the
// state it shares with its own audio thread.
#pragma once

#include "audio/track_entry.h"

#include <cstdint>
#include <string_view>

class AudioOperations {
public:
    // Slide target that fades a channel out and then stops it.
    static constexpr int slide_to_stop = -2;

    virtual ~AudioOperations() = default;

    virtual void play_current() = 0;
    virtual void stop_current() = 0;
    virtual void next_track() = 0;
    virtual void previous_track() = 0;
    virtual void seek_forward() = 0;
    virtual void seek_backward() = 0;
    virtual void toggle_pause() = 0;
    virtual void toggle_repeat() = 0;
    virtual void toggle_random() = 0;
    // Plays the playlist entry at `index`.
    virtual void play_track(PlaylistIndex index) = 0;

    virtual void stop_secondary() = 0;
    // Plays a named track on the secondary channel; nullptr (a name not found) starts nothing.
    virtual void play_secondary(const TrackEntry* track) = 0;
    // The named track registered under `title` (the most recent of equal titles), or nullptr.
    virtual const TrackEntry* find_named_track(std::string_view title) const = 0;

    virtual void set_current_volume(int volume) = 0;
    virtual void slide_current_volume(int target, std::uint32_t duration_ms) = 0;
    virtual void set_secondary_volume(int volume) = 0;
    virtual void slide_secondary_volume(int target, std::uint32_t duration_ms) = 0;

    // The playlist index of the current track.
    virtual PlaylistIndex current_index() const = 0;
};
