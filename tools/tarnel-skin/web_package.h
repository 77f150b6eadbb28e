// SPDX-License-Identifier: GPL-3.0-or-later
// package --web: a folder any static web server can host, playing a skin in the browser.
#pragma once

#include <filesystem>
#include <ostream>

// Writes into `site` (created when needed) the web player found in `player` (index.html,
// player.js, vorlunde.js and vorlunde.wasm, as scripts/build-web makes them in
// build/web/web) and the skin in `skin` under site/skin: tarnel.cfg, tarnel.dat and every
// other file of the skin's folder and its subfolders (the music, which the page fetches as the
// player opens it) except plug-in libraries, which the browser cannot load. Throws
// std::runtime_error naming what is missing; prints a summary line to `out`.
void package_web(const std::filesystem::path& skin, const std::filesystem::path& site,
                 const std::filesystem::path& player, std::ostream& out);
