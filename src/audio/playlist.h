// SPDX-License-Identifier: GPL-3.0-or-later
// Playlist: the ordered tracks that the transport commands walk through, addressed by a
// zero-based index. Entries are inserted at the front while the configuration loads, so
// index 0 is the last playlist entry of the configuration. Any length works.
// Not thread-safe for writing: filled before the audio device opens, read-only afterwards.
#pragma once

#include "audio/track_entry.h"

#include <cstdint>
#include <deque>

class Playlist {
public:
    // Puts `entry` at index 0; the earlier entries move up by one.
    void insert_front(TrackEntry entry) { entries_.push_front(std::move(entry)); }

    // The entry at `index`, or nullptr when the index is outside the list.
    const TrackEntry* at(PlaylistIndex index) const
    {
        if (index < 0 || index >= count())
            return nullptr;
        return &entries_[static_cast<std::size_t>(index)];
    }

    // True when `index` names an entry with a non-empty file name.
    bool eligible(PlaylistIndex index) const
    {
        const TrackEntry* entry = at(index);
        return entry != nullptr && entry->eligible();
    }

    PlaylistIndex count() const { return static_cast<PlaylistIndex>(entries_.size()); }

private:
    std::deque<TrackEntry> entries_;
};
