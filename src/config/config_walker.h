// SPDX-License-Identifier: GPL-3.0-or-later
// walk_config: reads a configuration file from its first byte to the end of its root chunk and
// hands every chunk to a ConfigVisitor in file order (see config_visitor.h for the two calls
// each chunk makes).
//
// Reading rules:
//   - The file is one root chunk 0x0258: its header, its three fields, then top-level chunks up
//     to the root's end (root header offset + root length). Bytes after that are never read.
//   - A page's fields are followed by its elements up to the page's end (page header offset +
//     page length). Elements have no children.
//   - A known chunk is read field by field; its length is not consulted. A chunk whose id is
//     unknown at its level (an element id at top level, a top-level id inside a page) is
//     skipped: the walk moves forward length - 6 bytes from the end of its header, even when
//     that lies past its parent's end.
//   - Reading stops at the end of the file at both levels, keeping what was read: a chunk whose
//     header is complete is read (fields cut short read as 0, strings end at the end) and
//     handed over; a header cut short ends the walk; entries that would start at the end of
//     the file are not read (the record then has fewer entries than its count).
//   - Reading always moves forward: an unknown chunk's length below 6 is rejected.
//   - A file shorter than its root chunk's length is reported to the visitor (file_cut_short),
//     not rejected; cut_short_message gives the warning's text:
//     "config file shorter than its header says: N of M bytes".
//
// Messages (SkinError), in the order the bytes raise them; the checks of a chunk run between
// chunk_read and chunk_accepted:
//   "can't open config file"                                  (walk_config_file only)
//   "config file corrupted, first chunk should be 0x0258"     root id, before anything else
//   "config file corrupted, bad chunk length"                 unknown chunk with length < 6
//   "config file corrupted, unknown tracklist type"           track list kind > 1, count > 0
//   "config file corrupted, unknown playlist mode"            track list view selection != 0
//                                                             and line height != 1
//   "config file corrupted, unknown slider orientation or type"  slider type or orientation > 1
//   "config file corrupted, unknown plugin mode"              plug-in attachment mode > 1
//   "string mapping index out of range"                       a string mapping entry's index
//                                                             not below the chunk's count
// Every check runs on the chunk as read, before chunk_accepted: a rejected string mapping or
// track list never reaches the loader, so nothing of it is built before the error.
// Name lookups (fonts, plug-ins) need the loader's registries; the loader makes them in
// chunk_read, so "can't find font named"/"can't find plugin named" come before the mode
// checks of the same element, and everything it builds in chunk_accepted comes after them.
//
// Not synchronised; the bytes must stay valid during the walk.
#pragma once

#include "config/config_visitor.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

void walk_config(std::span<const std::uint8_t> bytes, ConfigVisitor& visitor);

std::string cut_short_message(std::uint64_t size, std::uint32_t length);

// Reads the file at `path` whole, then walks it. Throws SkinError "can't open config file"
// when it cannot be opened and "can't read config file" when reading it fails.
void walk_config_file(const std::filesystem::path& path, ConfigVisitor& visitor);
