// SPDX-License-Identifier: GPL-3.0-or-later
// write_starter_skin: the folder `tarnel-skin new` makes: a small skin that builds and runs as
// it is, made to be edited. skin.toml (a commented manifest using every common element), its
// pictures as PNG files with transparency under art/ (drawn by the demo skin's generator: one
// panel page with its pressed and hover looks and slider knobs, the intro and the outro, whose
// alpha gives the window masks), a short document, the two fonts it uses under fonts/, and a
// playlist of two generated tracks under music/. The skin is built into the same folder, the
// folder the player runs in.
//
// Errors: std::runtime_error with a lower-case message naming the file ("DIR already holds
// files", "can't open font PATH", "can't write PATH").
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

// `fonts_dir` holds DejaVuSans.ttf and DejaVuSans-Bold.ttf. Refuses a `dir` that exists and
// is not empty; prints one line per file written.
void write_starter_skin(const std::filesystem::path& dir, const std::filesystem::path& fonts_dir, std::ostream& out);

// The starter's manifest; `playlist` holds (title, file) pairs in playlist order.
std::string starter_manifest(const std::vector<std::pair<std::string, std::string>>& playlist);
