// SPDX-License-Identifier: GPL-3.0-or-later
// The skin tool's parts that differ between systems, defined by the system's own file
// (system/tool_system_posix.cpp, system/tool_system_win32.cpp), which CMake chooses: where the
// program's own file is, the desktop services the checks use, and the `watch` command where
// the system can watch files. UI thread only; everything passed in is the caller's.
#pragma once

#include "commands.h"
#include "skin_checks.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>

// This program's own file; `argv0` is main's argv[0].
std::filesystem::path tool_path(const char* argv0);
// Fills the services the system has (the font families fontconfig knows, on Linux).
void add_system_services(CheckServices& services);
// Adds `watch` to `app`, which sets `command` when chosen (it checks the skin it builds with
// platforms from `check_platform`; --run starts the player beside the program `argv0` names,
// which must outlive `app`); where the system has no watch, says so in the help.
void add_watch_command(CLI::App& app, std::function<void()>& command, const PlatformFactory& check_platform,
                       const char* argv0);
