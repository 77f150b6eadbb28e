// SPDX-License-Identifier: GPL-3.0-or-later
// The demo's music: the 17 playlist tracks (modules, Ogg and MP3 streams, brighter for the
// day page's indices 0–8, mellower for the evening's 9–13, quiet for the night's 14–16) and
// the named tracks the skin keeps in its archive. `write_track` composes and encodes one.
#pragma once

#include "composition.h"
#include "instrument.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

enum class TrackFormat { module, ogg, mp3 };

struct DemoTrack {
    std::string title;       // the list view's line and the status line
    std::string file;        // path relative to the skin folder, '/' separated
    TrackFormat format;
    Style style;
};

// The playlist in order.
std::vector<DemoTrack> playlist_tracks();

// Named tracks of the secondary channel: "jingle", faded in when the day page is entered;
// `file` is the generated file's name, stored in the archive as "Data\" + file.
std::vector<DemoTrack> named_tracks();

// Composes the track and writes it to `dir` / track.file, creating folders. Returns the
// piece's length in seconds (without the streams' release tail).
double write_track(const DemoTrack& track, std::span<const Instrument> bank, const std::filesystem::path& dir);
