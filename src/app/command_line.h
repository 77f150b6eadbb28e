// SPDX-License-Identifier: GPL-3.0-or-later
// The player's command line: `vorlunde [SKIN]`. parse_command_line decides what to do; it
// reads no environment itself (the caller gives the working directory and the folders of
// installed skins), so it is pure apart from looking at the file system. A SKIN holding a
// '/' (or naming an existing folder) is a folder; any other is the name of an installed skin,
// looked up as <folder>/NAME in each skin folder in order. Without SKIN the working
// directory's skin plays when it holds a tarnel.cfg, else the installed default skin, else
// the working directory still (whose loading then reports the missing file).
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The skin played when none is named and the working directory holds none.
inline constexpr std::string_view default_skin_name = "demo";

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

// `arguments` excludes the program name. `skin_folders` hold installed skins, most important
// first; relative SKIN folders are taken from `working_dir` (returned as given).
CommandLine parse_command_line(std::span<const std::string_view> arguments,
                               std::span<const std::filesystem::path> skin_folders,
                               const std::filesystem::path& working_dir);

// The folders of installed skins: <dir>/vorlunde/skins for each XDG data folder (see
// xdg_data_dirs), then `beside_program` (the installation's own, when not empty).
std::vector<std::filesystem::path> installed_skin_folders(std::span<const std::filesystem::path> data_dirs,
                                                          const std::filesystem::path& beside_program);

// The XDG data folders from the values of XDG_DATA_HOME, HOME and XDG_DATA_DIRS (empty when
// unset), with their specified defaults; relative entries are ignored, as the basedir rules ask.
std::vector<std::filesystem::path> xdg_data_dirs(std::string_view data_home, std::string_view home,
                                                 std::string_view data_dirs);
