// SPDX-License-Identifier: GPL-3.0-or-later
// Whole skins for tests: configuration chunks with fields given by name (written with the
// configuration writer), archive entries, and solid-colour BMP images; written into a
// folder as "tarnel.cfg" and "tarnel.dat".
#pragma once

#include "skin-writer/config_writer.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TempDir;

using NamedField = std::pair<std::string_view, FieldValue>;

// A chunk of `layout` with the named fields set and every other field at its default.
ConfigChunk make_chunk(const ChunkLayout& layout, std::initializer_list<NamedField> fields,
                       std::vector<FieldValues> entries = {}, std::vector<ConfigChunk> children = {});
ConfigChunk make_chunk(ChunkId id, std::initializer_list<NamedField> fields, std::vector<FieldValues> entries = {},
                       std::vector<ConfigChunk> children = {});
ConfigChunk make_chunk(ElementId id, std::initializer_list<NamedField> fields);

// A page chunk with its elements; the images are archive names (empty: none).
ConfigChunk make_page(std::string name, std::vector<ConfigChunk> elements = {}, std::string background = {},
                      bool fades = false);

// A 24-bit BMP of width × height pixels, all of colour `rgb` (0xRRGGBB).
std::vector<std::uint8_t> solid_bmp(int width, int height, std::uint32_t rgb);

struct SkinFiles {
    std::string title = "T";
    std::uint16_t width = 600;
    std::uint16_t height = 510;
    std::vector<ConfigChunk> chunks; // top-level chunks in file order
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> archive;

    // Adds an archive entry.
    SkinFiles& file(std::string name, std::vector<std::uint8_t> bytes);
    SkinFiles& file(std::string name, std::string_view text);
    std::vector<std::uint8_t> config_bytes() const;
    std::vector<std::uint8_t> archive_bytes() const;
    // Writes tarnel.cfg and tarnel.dat into `dir`.
    void write(const TempDir& dir) const;
};
