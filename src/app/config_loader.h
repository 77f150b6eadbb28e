// SPDX-License-Identifier: GPL-3.0-or-later
// load_config: builds the running skin from "tarnel.dat" and "tarnel.cfg" in a folder. The
// archive is opened first (a missing archive is reported before the configuration is
// read); then every chunk and page element is acted on in file order, the moment it has
// been read, so references in the file must follow what they name. The first error ends
// loading (SkinError with the message text); nothing built before it is undone.
//
// Besides the walker's and the called subsystems' messages the loader raises:
//   "config file corrupted, can't find font named " + name     (before the element's checks)
//   "config file corrupted, can't find plugin named " + name   (before the element's checks)
//   "config file corrupted, can't find page named " + name     the start page names no page;
//     checked once the whole file has been read (the last start page chunk wins, and it may
//     stand before its page). A skin without pages and without a start page passes.
// A skin without a font named "font" loads; it simply has no status line.
//
// The targets are borrowed and must outlive the pages built here. UI thread only.
#pragma once

#include "ui/page.h"

#include <filesystem>
#include <string>
#include <vector>

class CommandQueue;
class DataArchive;
class FontRegistry;
class PageRegistry;
class PluginHost;
class StringMapping;
class TrayIcon;
struct ShellState;
class Tracklists;

// Everything the configuration fills, shared by the player and the skin tool.
struct LoadTargets {
    ShellState& shell;
    DataArchive& archive;
    PageRegistry& pages;
    const Clock& clock;      // for the pages' glows and timers
    CommandSink& commands;   // where the pages post
    PageLinks links;         // given to every page at registration
    Tracklists& tracklists;  // named tracks, playlist and titles, handed to the engine after
    StringMapping& mapping;
    TrayIcon& tray;
    FontRegistry& fonts;
    PluginHost& plugins;
    bool layered;            // JPEG images cut to the window shape; switch_page timers as given
    int frame_scale = 1;     // the window's Window::frame_scale(): 2 loads art at twice the size
    bool twice_size_art = false; // set by load_config: some picture took its art at twice the size
};

// Loads `skin_dir`/tarnel.dat, then `skin_dir`/tarnel.cfg into `targets`. Damage that
// loading goes past is appended to `warnings` the moment it is found (so it is there also
// when loading then fails), one line each: a file shorter than its root chunk says
// ("config file shorter than its header says: N of M bytes").
// At frame_scale 2 (and a window whose size doubled is within image_size_allowed) every
// picture takes its art at twice the size where the archive holds it (load_twice_size_art),
// and when any does, `twice_size_art` is set: the back buffer is then to go to scale 2 (the
// caller's to do, once the skin is taken: a reload may still fail). Art that does not
// fit is drawn doubled and appended to `warnings` once the configuration is read, as is a
// panel mask at twice the size that is not exactly twice the window.
void load_config(const std::filesystem::path& skin_dir, LoadTargets& targets, std::vector<std::string>& warnings);
