// SPDX-License-Identifier: GPL-3.0-or-later
// watch_skin: the `tarnel-skin watch` loop. Builds the skin, loads it as the player does,
// optionally runs the player on it, then waits with inotify until the manifest or a
// file it names is written, created, moved in or removed, and starts over. The folders
// holding those files are watched rather than the files, so editors that save by renaming a
// new file over the old one are seen too. Changes that come in a burst (within 150 ms of one
// another) give one rebuild.
//
// Runs on the calling thread until SIGINT or SIGTERM arrives (blocked while it runs and read
// through a signalfd), then stops the player it started and returns. Build and load errors
// are printed to `err`, one line each, build errors with the manifest's line and column, load
// errors with the line that names what the player missed (load_error_line); progress goes to
// `out`. Throws std::runtime_error only when inotify itself fails.
#pragma once

#include "commands.h"
#include "load_error_line.h"

#include <filesystem>
#include <optional>
#include <ostream>

struct WatchOptions {
    std::filesystem::path manifest;
    std::filesystem::path out_dir;
    // With a player, it is started in `out_dir` after the first build that loads; after
    // every later one it is asked to load the skin again (SIGHUP), or started again when it
    // has ended. It starts with SIGHUP blocked (the player unblocks it once it can reload),
    // so that a request made while it starts up waits for it. The watch ends it on leaving
    // (SIGTERM, then SIGKILL after 3 s).
    std::optional<std::filesystem::path> player;
};

void watch_skin(const WatchOptions& options, const PlatformFactory& make_platform, std::ostream& out, std::ostream& err);

// The player binary for `watch --run`: "vorlunde" beside `tool` (an installed pair), in the
// build tree's src/ folder (the tool lives in tools/tarnel-skin/), or nothing, meaning the
// PATH's.
std::optional<std::filesystem::path> player_beside(const std::filesystem::path& tool);
