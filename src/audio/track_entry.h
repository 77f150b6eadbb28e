// SPDX-License-Identifier: GPL-3.0-or-later
// TrackEntry: one track of the skin's tracklists, made once while the configuration loads
// and never changed afterwards. TrackKind says which decoder plays it.
#pragma once

#include "base/command.h"

#include <cstdint>
#include <optional>
#include <string>

// A position in the playlist: 0 is its first entry; -1 where a position may be absent.
using PlaylistIndex = std::int32_t;

enum class TrackKind : std::uint8_t {
    module = 0, // tracker module (any format libopenmpt reads)
    stream = 1, // compressed stream (MP3, Ogg Vorbis, Opus, FLAC)
    none = 2,   // never played
};

struct TrackEntry {
    std::string name;               // a path on disk, or an archive name when stored in archive
    TrackKind kind = TrackKind::none;
    bool stored_in_archive = false; // true for named tracks, false for playlist entries

    // An entry with an empty name is skipped by every track choice.
    bool eligible() const { return !name.empty(); }
};

// The entry for `name`, its kind taken from file_kind_of (archive names; playlist entries
// on disk take playlist_track_kind).
TrackEntry make_track_entry(std::string name, bool stored_in_archive);
// What opening `entry` posts: a module from disk posts looped_module_started when its file
// name contains "loop", else unlooped_module_started; anything else posts nothing.
std::optional<CommandId> module_notice(const TrackEntry& entry);
