// SPDX-License-Identifier: GPL-3.0-or-later
// The player's command line: `vorlunde [SKIN]`. parse_command_line decides what to do; it
// reads no environment itself (the caller gives the skin search folders), so it is pure apart
// from looking at the file system. A SKIN holding a '/' (or naming an existing folder) is
// a folder; any other is the name of an installed skin, looked up as <dir>/vorlunde/skins/NAME
// in each search folder in order.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct CommandLine {
    enum class Action { run, help, version, usage_error };
    Action action = Action::run;
    // The skin folder to change into (empty: stay in the working directory).
    std::filesystem::path skin_dir;
    // For usage_error: what was wrong, one lower-case line.
    std::string error;
};

// The lines printed for --help and on a usage error.
inline constexpr std::string_view usage_line = "usage: vorlunde [--help] [--version] [SKIN]";
std::string help_text();

// `arguments` excludes the program name. `data_dirs` are the XDG data folders, most important
// first ($XDG_DATA_HOME, then each of $XDG_DATA_DIRS).
CommandLine parse_command_line(std::span<const std::string_view> arguments,
                               std::span<const std::filesystem::path> data_dirs);

// The XDG data folders from the values of XDG_DATA_HOME, HOME and XDG_DATA_DIRS (empty when
// unset), with their specified defaults; relative entries are ignored, as the basedir rules ask.
std::vector<std::filesystem::path> xdg_data_dirs(std::string_view data_home, std::string_view home,
                                                 std::string_view data_dirs);
