// SPDX-License-Identifier: GPL-3.0-or-later
// TrackChooser: which playlist index is current, the one-step history, the repeat and
// random modes and the random draws. Pure index arithmetic over a Playlist; the engine
// starts and stops the channels around it.
// Every choice ends: when none can be made (an empty playlist, no eligible entry, or in
// random mode no eligible entry other than the one being left) the index stays.
// A plain value: a copy makes, from the same state, the same choices and draws, which is how
// the engine opens the next track ahead. Not thread-safe: the engine uses it under its lock.
#pragma once

#include "audio/playlist.h"
#include "audio/random_generator.h"

#include <cstdint>

class TrackChooser {
public:
    // Indices to 0, repeat and random off. The generator is never reseeded.
    void reset();

    // Moves to the next eligible entry: the following one in sequence, or a random draw
    // other than the entry being left. Remembers the entry it leaves as the history.
    void choose_next(const Playlist& playlist);

    // Moves back: in sequence to the preceding eligible entry; at random to the history
    // when there is one, else to a random draw (which may be the current entry). Clears
    // the history in both modes.
    void choose_previous(const Playlist& playlist);

    // Makes `index` current when it names an eligible entry; returns whether it did.
    // The history is left as it is.
    bool select(const Playlist& playlist, PlaylistIndex index);

    PlaylistIndex current_index() const { return current_index_; }
    PlaylistIndex previous_index() const { return previous_index_; }
    bool repeat() const { return repeat_; }
    bool random() const { return random_; }
    void toggle_repeat() { repeat_ = !repeat_; }
    void toggle_random() { random_ = !random_; }

    // Equal choosers make the same choices from here on (the generator included).
    bool operator==(const TrackChooser&) const = default;

private:
    std::int32_t draw(std::int32_t count);
    bool any_eligible(const Playlist& playlist, PlaylistIndex except) const;

    PlaylistIndex current_index_ = 0;
    PlaylistIndex previous_index_ = 0; // -1: no history
    bool repeat_ = false;
    bool random_ = false;
    RandomGenerator generator_;
};
