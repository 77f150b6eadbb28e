// SPDX-License-Identifier: GPL-3.0-or-later
// The `watch` command, where the system can watch files: added to the tool's command line by
// the system's own file (system/watch_command_posix.cpp, system/watch_command_win32.cpp),
// which CMake chooses. UI thread only; `app` and `command` are the caller's.
#pragma once

#include "commands.h"

#include <CLI/CLI.hpp>

#include <functional>

// Adds `watch` to `app`, which sets `command` when chosen (it checks the skin it builds with
// platforms from `check_platform`); where the system has no watch, says so in the help.
void add_watch_command(CLI::App& app, std::function<void()>& command, const PlatformFactory& check_platform);
