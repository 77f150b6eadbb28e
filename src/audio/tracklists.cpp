// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/tracklists.h"

#include "audio/track_kind_probe.h"

#include <memory>
#include <utility>

void Tracklists::add_playlist_track(std::string title, std::string file)
{
    const TrackKind kind = playlist_track_kind(file);
    playlist_.insert_front(TrackEntry{std::move(file), kind, false});
    titles_.insert_front(std::move(title));
}

void Tracklists::add_named_track(std::string key, std::string file)
{
    named_tracks_.insert(std::move(key), std::make_unique<TrackEntry>(make_track_entry(std::move(file), true)));
}
