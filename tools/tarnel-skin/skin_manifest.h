// SPDX-License-Identifier: GPL-3.0-or-later
// SkinManifest: a skin described in TOML (docs/skin-manifest.md): the root fields, every chunk
// and page element in file order with its fields by name, and the files of the data archive.
// `parse_manifest` turns the text into a ConfigChunk tree for write_config and a list of
// archive sources; nothing is read from disk but the manifest itself.
//
// Errors: std::runtime_error "MANIFEST:LINE:COLUMN: what is wrong", for TOML syntax, unknown
// chunk types or keys, values of the wrong kind and numbers that do not fit their field.
#pragma once

#include "skin-writer/config_writer.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How a picture named by `path` is stored: as the file is, or converted.
enum class StoredFormat { as_given, jpeg, bmp24, bmp8, rle8 };

struct ManifestFile {
    std::string name;                  // the archive name, e.g. "Data\\panel.rgn"
    std::filesystem::path path;        // the file on disk, relative paths already resolved
    std::optional<std::string> text;   // or the entry's contents given inline
    StoredFormat format = StoredFormat::as_given;
    int quality = 90;                  // jpeg: 1 to 100
    bool dither = false;               // bmp8 and rle8: spread the palette's error
    bool mask_from_alpha = false;      // `path` is a picture whose alpha becomes a window mask
    std::string where;                 // "MANIFEST:LINE:COLUMN" of the file's table
};

struct SkinManifest {
    ConfigChunk config;                // the root chunk with everything under it
    std::vector<ManifestFile> files;   // in manifest order
};

// `source_name` names the manifest in messages; relative file paths are taken from `base_dir`.
SkinManifest parse_manifest(std::string_view toml_text, const std::string& source_name,
                            const std::filesystem::path& base_dir);

// Reads and parses the manifest file; paths in it are relative to its folder.
SkinManifest load_manifest(const std::filesystem::path& path);
