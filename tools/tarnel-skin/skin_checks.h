// SPDX-License-Identifier: GPL-3.0-or-later
// skin_warnings: what a skin author should hear about a manifest that builds, each with the
// manifest line of the key concerned ("MANIFEST:LINE: warning: ..."): elements reaching
// outside the window, page pictures of another size than the window, names that name nothing
// (archive files, fonts, plug-ins, string-mapping entries a switch_page or named track uses,
// lamps the player never lights, the start page), pages nobody can reach or that the player
// leaves at once, a first page other than "intro", playlist files that are missing or that
// the player's own probe can't open, font faces that are neither installed nor in the skin's
// font files, and archive files nothing names. Near misses get "did you mean".
//
// Plain functions; not synchronised. Reads the playlist's files; nothing else from disk.
#pragma once

#include "archive_entries.h"
#include "skin_manifest.h"

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

struct CheckServices {
    // The font families the player could find: the installed ones and those of the given
    // font files (the skin's own). Empty: faces are not checked.
    std::function<std::vector<std::string>(const std::vector<std::filesystem::path>& font_files)> font_families;
};

// `stored` are the archive's entries as built; `skin_dir` is the folder the player will run
// in, from which relative playlist paths are taken.
std::vector<std::string> skin_warnings(const SkinManifest& manifest, std::span<const ArchiveEntry> stored,
                                       const std::filesystem::path& skin_dir, const CheckServices& services);
