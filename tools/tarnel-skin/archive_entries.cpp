// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive_entries.h"

#include <cstring>
#include <limits>
#include <stdexcept>

std::vector<std::uint8_t> pack_entries(std::span<const ArchiveEntry> entries)
{
    std::vector<std::uint8_t> image;
    for (const ArchiveEntry& entry : entries) {
        if (entry.name.find('\0') != std::string::npos)
            throw std::invalid_argument("archive name holds a 0 byte: " + entry.name);
        if (entry.data.size() > std::numeric_limits<std::uint32_t>::max())
            throw std::invalid_argument("file too large for the data file: " + entry.name);
        image.insert(image.end(), entry.name.begin(), entry.name.end());
        image.push_back(0);
        const auto size = static_cast<std::uint32_t>(entry.data.size());
        for (int i = 0; i < 4; ++i)
            image.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
        image.insert(image.end(), entry.data.begin(), entry.data.end());
    }
    return image;
}

ArchiveScan scan_archive(std::span<const std::uint8_t> image)
{
    ArchiveScan scan;
    std::size_t position = 0;
    while (position < image.size()) {
        const std::string at = "entry at offset " + std::to_string(position) + ": ";
        const auto rest = image.subspan(position);
        const void* terminator = std::memchr(rest.data(), 0, rest.size());
        if (!terminator) {
            scan.damage = at + "name has no 0 byte before the end";
            break;
        }
        const auto name_length = static_cast<std::size_t>(static_cast<const std::uint8_t*>(terminator) - rest.data());
        const std::size_t size_at = position + name_length + 1;
        if (image.size() - size_at < 4) {
            scan.damage = at + "size field runs past the end";
            break;
        }
        std::uint32_t size = 0;
        for (std::size_t i = 0; i < 4; ++i)
            size |= static_cast<std::uint32_t>(image[size_at + i]) << (8 * i);
        const std::size_t data_at = size_at + 4;
        if (size > image.size() - data_at) {
            scan.damage = at + "data runs past the end";
            break;
        }
        scan.entries.push_back({std::string(reinterpret_cast<const char*>(rest.data()), name_length), size, data_at});
        position = data_at + size;
    }
    return scan;
}
