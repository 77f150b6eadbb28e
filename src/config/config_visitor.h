// SPDX-License-Identifier: GPL-3.0-or-later
// ConfigVisitor: receives every chunk of a configuration file from walk_config, in file order,
// the moment the chunk has been read. ChunkRecord is what it receives.
//
// Each chunk (the root, every top-level chunk, every page element, known or not) makes two
// calls:
//   1. chunk_read: all fields are read; the format's checks of this chunk have NOT run yet.
//      Lookups that must be reported before a check of the same chunk happen here: the font of
//      a track list view or text browser, the plug-in of a plug-in attachment. Nothing should
//      be built here. The skin tool's dump prints here, so it shows a chunk that then fails.
//   2. chunk_accepted: the chunk passed its checks (and an unknown chunk has been skipped):
//      act on it. For a page this comes before any of its elements is read, so the page can
//      be registered first; the elements that follow belong to the last accepted page.
// So per chunk the order is: read fields, chunk_read, format check, chunk_accepted. Anything a
// visitor throws ends the walk with that error, as the format's own messages do.
//
// The record passed is valid only during the call; the walker reuses it.
#pragma once

#include "config/chunk_values.h"
#include "config/config_layout.h"

#include <cstdint>
#include <string_view>

struct ChunkRecord {
    ChunkLevel level = ChunkLevel::root;
    std::uint64_t offset = 0;            // of the chunk header, from the start of the file
    ChunkHeader header;                  // id and length as the file gives them
    const ChunkLayout* layout = nullptr; // null: the id is unknown at this level
    ChunkValues values;                  // empty for unknown chunks

    // Field values by layout field name; std::out_of_range for a name the layout lacks.
    std::uint32_t number(std::string_view field) const { return values.number(index_of(field)); }
    const Rect& rect(std::string_view field) const { return values.rect(index_of(field)); }
    const std::string& text(std::string_view field) const { return values.text(index_of(field)); }

private:
    std::size_t index_of(std::string_view field) const
    {
        if (!layout)
            throw std::out_of_range("unknown chunk has no fields");
        return field_index(layout->fields, field);
    }
};

class ConfigVisitor {
public:
    virtual ~ConfigVisitor() = default;

    // The chunk's fields are read; its checks are still to come. Default: nothing.
    virtual void chunk_read(const ChunkRecord& chunk) { (void)chunk; }

    // The chunk passed its checks: act on it.
    virtual void chunk_accepted(const ChunkRecord& chunk) = 0;

    // The file holds `size` bytes, fewer than the `length` its root header gives: it was cut
    // short. Called once, after the root chunk; the walk goes on with what there is. Default:
    // nothing.
    virtual void file_cut_short(std::uint64_t size, std::uint32_t length) { (void)size, (void)length; }
};
