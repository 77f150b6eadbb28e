// SPDX-License-Identifier: GPL-3.0-or-later
// Archives of files for shipping skins: a zip (deflated with zlib, as Windows' Explorer opens
// it), a gzip-compressed tar (ustar, as tar and file managers open it), and reading one file
// out of a zip (stored or deflated). Names use '/' between folders.
//
// Plain functions over value types; not synchronised. Errors are std::runtime_error with a
// lower-case message.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct PackedFile {
    std::string name;                // "skin/tarnel.cfg"
    std::vector<std::uint8_t> data;
    bool executable = false;         // tar: mode 0755 instead of 0644
};

std::vector<std::uint8_t> zip_archive(std::span<const PackedFile> files);
std::vector<std::uint8_t> tar_gz_archive(std::span<const PackedFile> files);

// The contents of the first file in `zip` whose name is `file_name` or ends in "/" +
// `file_name`; nothing when there is none. Throws for a damaged zip.
std::optional<std::vector<std::uint8_t>> file_in_zip(std::span<const std::uint8_t> zip, std::string_view file_name);
