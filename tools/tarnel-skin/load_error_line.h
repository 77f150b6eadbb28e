// SPDX-License-Identifier: GPL-3.0-or-later
// The manifest line behind a player's load error: the skin is built from a manifest, the
// player reports what it missed by name, and the author wants the line that names it.
// Plain functions; refusal_with_line reads the manifest file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The 1-based line of `manifest_text` that first names, as a TOML string, the file, font,
// page or plug-in that the player's load error `error` says it could not find or load;
// nothing for other errors or when no line names it.
std::optional<int> load_error_line(std::string_view manifest_text, std::string_view error);

// "MANIFEST:LINE: the player refuses the skin: ERROR", without ":LINE" when no line names it.
std::string refusal_with_line(const std::filesystem::path& manifest, std::string_view error);
