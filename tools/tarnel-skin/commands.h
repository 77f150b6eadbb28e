// SPDX-License-Identifier: GPL-3.0-or-later
// The skin tool's commands, callable from tests; main.cpp only parses the command line.
// Each writes its normal output to `out` and reports failure by throwing: SkinError with the
// player's own message for a damaged configuration, std::runtime_error or std::invalid_argument
// (lower-case text naming the file) for everything else. The command line prints the text to
// standard error and exits 1.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

struct CheckServices;

// Writes `out_dir`/tarnel.cfg and `out_dir`/tarnel.dat from a manifest (docs/skin-manifest.md),
// creating the folder when needed. Archive entries keep the manifest's order; pictures are
// converted and masks made from alpha as the manifest asks (stored_files.h). The warnings
// that gives, then those of skin_warnings (skin_checks.h, with `out_dir` as the player's
// folder), are printed to `out` before the summary line.
void build_skin(const std::filesystem::path& manifest, const std::filesystem::path& out_dir, std::ostream& out,
                const CheckServices& services);
void build_skin(const std::filesystem::path& manifest, const std::filesystem::path& out_dir, std::ostream& out);

// Prints every chunk and field of a configuration file (see config_dump.h). On a damaged file
// what was read is printed before the error is thrown.
void dump_config(const std::filesystem::path& config, std::ostream& out);

// Prints one line per archive entry: name, size and data offset, separated by tabs. A damaged
// archive lists its whole entries, then throws.
void list_archive(const std::filesystem::path& archive, std::ostream& out);

// Writes every entry of the archive as a file under `dir`; backslashes in names become folders.
// Before writing anything it refuses a damaged archive and any name that is empty, absolute,
// has an empty, "." or ".." component, or holds a '/'; nothing is written outside `dir`. Of
// entries sharing a name only the first is written (the one the player finds).
void unpack_archive(const std::filesystem::path& archive, const std::filesystem::path& dir, std::ostream& out);

// Packs every regular file under `dir` (recursively, symbolic links to files followed, the
// output file itself left out) into `archive`. Names are the relative paths with '\' between
// folders; entries are ordered by name, byte for byte. A file or folder name holding a
// backslash is refused.
void pack_archive(const std::filesystem::path& dir, const std::filesystem::path& archive, std::ostream& out);

class Platform;

// Makes a display-less platform whose windows report `layered` as their capability.
using PlatformFactory = std::function<std::unique_ptr<Platform>(bool layered)>;

// Loads the skin in `dir` exactly as the player does (archive, configuration, images, fonts,
// plug-ins), without showing a window, opening sound or starting the presentation. The skin
// is loaded once without and once with layered mode, each on a fresh platform, because
// layered mode also cuts JPEG images to the window's shape (which needs their masks).
// Throws the player's error text (SkinError) for a skin the player would refuse, and the
// player's first loading warning (the configuration cut short) for a skin it would load damaged.
// Returns the number of pages.
std::size_t check_skin(const std::filesystem::path& dir, const PlatformFactory& make_platform);

// The manifest `check` reads beside a built skin: DIR/skin.toml, as `tarnel-skin new` names it.
inline constexpr const char* skin_manifest_name = "skin.toml";

// `tarnel-skin check DIR`: when DIR holds skin.toml, prints its skin_warnings (the archive as
// the manifest would store it) to `out`; then check_skin, whose error, when the manifest names
// what the player missed, is thrown as "DIR/skin.toml:LINE: the player refuses the skin: ...".
// On success prints one line: "ok: DIR loads as the player loads it (N pages, M warnings)".
void check_skin_folder(const std::filesystem::path& dir, const PlatformFactory& make_platform,
                       const CheckServices& services, std::ostream& out);

class SkinBitmap;

// Loads the skin in `dir` as check_skin does (without layered mode) on `platform` and draws
// the page `page` as the player draws it in its initial state (background, lamps, buttons,
// list view, text browser, slider knobs; no status line), in the back buffer's pixels (twice
// the window's size where the platform's window shows frames at 2 and the skin has art at
// twice the size). Throws std::runtime_error
// "no page named " + page when the skin has none of that name.
SkinBitmap draw_skin_page(const std::filesystem::path& dir, const std::string& page, Platform& platform);

// draw_skin_page, written to the PNG file `png`.
void render_page(const std::filesystem::path& dir, const std::string& page, const std::filesystem::path& png,
                 Platform& platform, std::ostream& out);

class ManualClock;

// Loads the skin as draw_skin_page does and writes, into `folder` (created when needed), one
// PNG of every page the player can find (the newest of equal names; pages without a
// background draw nothing and are skipped), and for each of its buttons, numbered from 1 in
// configuration order, the page with that button pressed and with the pointer over it at
// full glow: PAGE.png, PAGE-button-N-pressed.png, PAGE-button-N-hover.png. Characters of a
// page name other than letters, digits, '-' and '_' become '_' in file names. `clock` is the
// platform's clock, moved on so that glows rise as they do on screen.
void render_all_pages(const std::filesystem::path& dir, const std::filesystem::path& folder, Platform& platform,
                      ManualClock& clock, std::ostream& out);
