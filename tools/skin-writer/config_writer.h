// SPDX-License-Identifier: GPL-3.0-or-later
// write_config: turns a tree of ConfigChunk values into the bytes of a configuration file,
// field by field as the chunks' layouts describe them. The skin tool builds skins with it;
// tests and benchmarks make configurations in memory with it.
//
// Lengths are computed (6 + fields + entries + children, so every known chunk gets exactly the
// length readers expect) unless a chunk gives its own, which is then written as it is, for
// crafting damaged files. Children are written after a chunk's fields in the given order: the
// root's children are the top-level chunks, a page's children its elements.
//
// Plain functions over value types; not synchronised.
#pragma once

#include "config/chunk_values.h"
#include "config/config_layout.h"

#include <cstdint>
#include <optional>
#include <vector>

struct ConfigChunk {
    const ChunkLayout* layout = nullptr;  // null: a chunk of `id` whose body is `raw`
    std::uint16_t id = 0;                 // the id written; normally layout->id
    ChunkValues values;                   // one value per layout field, entries per entry field
    std::vector<std::uint8_t> raw;        // the body of a chunk without a layout
    std::optional<std::uint32_t> length;  // written instead of the computed length
    std::vector<ConfigChunk> children;

    // A chunk of `layout` with every field at its default (0, empty rectangle, empty string).
    static ConfigChunk with_defaults(const ChunkLayout& layout);
};

// The bytes of `root` and everything under it. Throws std::invalid_argument when a chunk's
// values do not match its layout (missing field, wrong type, number too wide for its field,
// a string holding a 0 byte).
std::vector<std::uint8_t> write_config(const ConfigChunk& root);
