// SPDX-License-Identifier: GPL-3.0-or-later
// package_skin: `tarnel-skin package`, a built skin made ready for listeners. It takes the
// skin's two files, the playlist's files and the plug-in libraries the configuration names by
// a path inside the skin's folder, and writes
//   - for Linux: a folder, or a .tar.gz when the output's name ends so, holding the skin under
//     NAME/ and install.sh, which copies it to $XDG_DATA_HOME/vorlunde/skins/NAME (default
//     ~/.local/share) and writes a desktop entry named after the window's title that runs
//     `vorlunde NAME`;
//   - for Windows: a zip holding one folder NAME/ with vorlunde.exe, the skin's files beside
//     it (a double click runs the player in its own folder, where it plays the skin), the
//     player's licence (LICENSE.txt) and README.txt.
// Paths that would leave the skin's folder (absolute, or through "..") are refused: the
// package could not carry them. Plain functions; reads and writes files.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

enum class PackageTarget { linux_folder, windows_zip };

struct PackageOptions {
    std::filesystem::path skin_dir;        // holds tarnel.cfg and tarnel.dat
    PackageTarget target = PackageTarget::linux_folder;
    std::filesystem::path output;
    std::string name;                      // empty: the skin folder's name
    std::filesystem::path player;          // Windows: vorlunde.exe, or a zip holding it
};

// Where `package --windows` looks for vorlunde.exe when none is given: beside `tool` (an
// unpacked Windows release), in the Windows build tree the tool belongs to, or in
// build/windows-x86_64 beside the Linux build tree the tool runs from.
std::optional<std::filesystem::path> windows_player_near(const std::filesystem::path& tool);

void package_skin(const PackageOptions& options, std::ostream& out);
