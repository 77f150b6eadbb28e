// SPDX-License-Identifier: GPL-3.0-or-later
// Archive entries for the skin tool: packing named files into the bytes of a "tarnel.dat"
// (name, 0 byte, u32 little-endian size, data; back to back, no header) and listing the
// entries of an archive image with their offsets.
//
// Plain functions over value types; not synchronised.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct ArchiveEntry {
    std::string name;               // bytes as stored, e.g. "Data\\panel.rgn"
    std::vector<std::uint8_t> data;
};

struct ArchiveListing {
    std::string name;
    std::uint32_t size = 0;
    std::uint64_t offset = 0; // of the entry's first data byte in the image
};

struct ArchiveScan {
    std::vector<ArchiveListing> entries;   // every whole entry, in file order
    std::optional<std::string> damage;     // why the scan stopped early, if it did
};

// The archive bytes of `entries`, in the given order. Throws std::invalid_argument for a name
// holding a 0 byte or data larger than a u32 size can say.
std::vector<std::uint8_t> pack_entries(std::span<const ArchiveEntry> entries);

// Lists the entries of `image`. A name without a 0 byte, a size field cut by the end or data
// running past the end ends the scan and is described in `damage` ("entry at offset N: ...").
ArchiveScan scan_archive(std::span<const std::uint8_t> image);
