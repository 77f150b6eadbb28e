// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reads and writes for the skin tool. Errors are std::runtime_error with a
// lower-case message naming the file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

std::vector<std::uint8_t> read_file_bytes(const std::filesystem::path& path);

// Creates or replaces the file (not its folder); a replaced file is renamed over, never
// rewritten in place.
void write_file_bytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
