// SPDX-License-Identifier: GPL-3.0-or-later
// font_families: the font family names fontconfig knows: every installed font's, and those of
// the given font files (a skin's own, as the player installs them while it runs). For the
// build's check of font faces. Uses a private fontconfig configuration; any thread.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

std::vector<std::string> font_families(const std::vector<std::filesystem::path>& font_files);
