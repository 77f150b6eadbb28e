// SPDX-License-Identifier: GPL-3.0-or-later
// manifest_writer: the demo skin's manifest for `tarnel-skin build` (docs/skin-manifest.md):
// fonts, the plug-in, tray menu, timing, string mapping, the intro, the three panel pages
// with every control, the outro, the "empty" page and the playlist. Rectangles come from
// layout.h, the names of the pictures from `look_files`.
#pragma once

#include "demo_tracks.h"

#include <filesystem>
#include <string>
#include <vector>

// An archive entry: its name in the archive and the file that holds it.
struct ArchiveSource {
    std::string name;
    std::filesystem::path path;
};

struct ManifestInputs {
    std::vector<DemoTrack> playlist;      // in playlist order (index 0 first)
    std::vector<DemoTrack> named;         // named tracks; file names as stored
    std::vector<ArchiveSource> files;     // every archive entry
};

// The archive names of one panel look's pictures and knobs.
struct LookFiles {
    std::string background, pressed, hover, seek_knob, scroll_knob;
};
LookFiles look_files(std::string_view page);

// Archive names of the documents in the text browser, and their titles, as shown.
struct Document {
    std::string title;
    std::string name;
};
const std::vector<Document>& documents();

// The string mapping, in index order: page names, then named-track names.
std::vector<std::string> string_mapping(const std::vector<DemoTrack>& named);

std::string demo_manifest(const ManifestInputs& inputs);
