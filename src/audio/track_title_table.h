// SPDX-License-Identifier: GPL-3.0-or-later
// TrackTitleTable: the playlist's titles for the status line, slot i holding the title of
// playlist index i however many tracks there are (titles are inserted at the front
// together with their playlist entries). Read-only once the configuration has loaded.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

class TrackTitleTable {
public:
    // Puts `title` in slot 0, as the playlist does with its entry.
    void insert_front(std::string title) { titles_.push_front(std::move(title)); }

    // The title of playlist index `index`; empty for an index without one.
    const std::string& title(PlaylistIndex index) const
    {
        static const std::string empty;
        if (index < 0 || index >= static_cast<PlaylistIndex>(titles_.size()))
            return empty;
        return titles_[static_cast<std::size_t>(index)];
    }

    std::int32_t count() const { return static_cast<std::int32_t>(titles_.size()); }

private:
    std::deque<std::string> titles_;
};
