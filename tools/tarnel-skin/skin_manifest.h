// SPDX-License-Identifier: GPL-3.0-or-later
// SkinManifest: a skin described in TOML (docs/skin-manifest.md): the root fields, every chunk
// and page element in file order with its fields by name, and the files of the data archive.
// `parse_manifest` turns the text into a ConfigChunk tree for write_config and a list of
// archive sources; nothing is read from disk but the manifest itself.
//
// Command fields (`command`, `up_command`, `down_command`) take a command's name
// (command_table.h) or its number, a key binding's `key` a key name (key_names.h) or a code.
//
// Errors: std::runtime_error "MANIFEST:LINE:COLUMN: what is wrong", for TOML syntax, unknown
// chunk types, keys, commands or key names (with "did you mean" for a near miss), values of
// the wrong kind and numbers that do not fit their field.
#pragma once

#include "skin-writer/config_writer.h"

#include <filesystem>
#include <functional>
#include <map>
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
    std::string source_where;          // "MANIFEST:LINE:COLUMN" of `path` or `mask_from`
    int line = 0;                      // the file's table
    // The art at twice the size (`source_2x`) of a `path` picture or a `mask_from` mask, stored
    // under twice_size_name(name), and where the manifest names it.
    std::optional<std::filesystem::path> source_2x;
    std::string source_2x_where;
};

// Where a table and its keys stand in the manifest (1-based lines), beside the ConfigChunk
// made from it, so that checks can name the line of what they find.
struct SourceLines {
    int line = 0;                                  // the table's header; 0 when absent
    std::map<std::string, int, std::less<>> keys;  // the line of each key given
    std::vector<SourceLines> entries;              // [[chunk.entry]] tables, in order
    std::vector<SourceLines> children;             // elements of a page; the root's: the chunks

    // The key's line, or the table's when the key is not given.
    int key_line(std::string_view key) const
    {
        const auto found = keys.find(key);
        return found == keys.end() ? line : found->second;
    }
};

struct SkinManifest {
    std::string source_name;           // the manifest as messages name it
    ConfigChunk config;                // the root chunk with everything under it
    SourceLines lines;                 // of [root]; its children those of the chunks
    std::vector<ManifestFile> files;   // in manifest order
};

// `source_name` names the manifest in messages; relative file paths are taken from `base_dir`.
SkinManifest parse_manifest(std::string_view toml_text, const std::string& source_name,
                            const std::filesystem::path& base_dir);

// Reads and parses the manifest file; paths in it are relative to its folder.
SkinManifest load_manifest(const std::filesystem::path& path);
