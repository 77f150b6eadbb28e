// SPDX-License-Identifier: GPL-3.0-or-later
// Tracklists: the playlist, its titles and the named tracks. Filled while the configuration
// loads, then handed whole to the AudioEngine (AudioEngine::use_tracklists), which keeps them
// const: from then on every thread reads them without a lock, and the addresses of their
// entries stay valid as long as the engine.
// Not thread-safe while being filled (one thread fills, nothing reads meanwhile).
#pragma once

#include "audio/named_tracks.h"
#include "audio/playlist.h"
#include "audio/track_entry.h"
#include "audio/track_title_table.h"

#include <string>
#include <string_view>

class Tracklists {
public:
    // Inserts a playlist entry for the file on disk at index 0, with its title; its kind
    // comes from playlist_track_kind (which may read the file's first bytes).
    void add_playlist_track(std::string title, std::string file);
    // Registers the archive file `file` under `key` among the named tracks.
    void add_named_track(std::string key, std::string file);

    const Playlist& playlist() const { return playlist_; }
    const TrackTitleTable& titles() const { return titles_; }
    // The named track defined last under `key`, or nullptr.
    const TrackEntry* find_named_track(std::string_view key) const { return named_tracks_.find(key); }

private:
    Playlist playlist_;
    TrackTitleTable titles_;
    NamedTracks named_tracks_;
};
