// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/data_archive.h"

#include "base/skin_error.h"

#include <cstring>
#include <string>

namespace {

std::uint32_t read_u32_le(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

} // namespace

void DataArchive::open_archive(const std::filesystem::path& path)
{
    try {
        MappedFile mapped = MappedFile::open(path);
        close_archive();
        mapped_ = std::move(mapped);
        image_ = mapped_.bytes();
        index_entries();
    } catch (const MappedFile::Error& error) {
        throw SkinError(error.kind == MappedFile::Error::cannot_open ? "can't open data file" : "can't read data file");
    }
}

void DataArchive::load_image(std::vector<std::uint8_t> image)
{
    close_archive();
    loaded_ = std::move(image);
    image_ = loaded_;
    index_entries();
}

void DataArchive::index_entries()
{
    entries_.clear();
    const std::uint8_t* const base = image_.data();
    const std::size_t length = image_.size();
    std::size_t position = 0;
    while (position < length) {
        const void* terminator = std::memchr(base + position, 0, length - position);
        if (!terminator)
            break;
        const auto name_end = static_cast<std::size_t>(static_cast<const std::uint8_t*>(terminator) - base);
        const std::string_view entry_name(reinterpret_cast<const char*>(base + position), name_end - position);
        const std::size_t size_field = name_end + 1;
        if (length - size_field < 4)
            break;
        const std::uint32_t size = read_u32_le(base + size_field);
        const std::size_t data_start = size_field + 4;
        if (size > length - data_start)
            break;
        entries_.emplace(entry_name, std::span<const std::uint8_t>(base + data_start, size));
        position = data_start + size;
    }
}

ArchiveFile DataArchive::find_file(std::string_view name) const
{
    const auto entry = entries_.find(std::string(name));
    if (entry == entries_.end())
        throw SkinError("can't find file " + std::string(name) + " in datafile");
    return ArchiveFile{entry->second};
}

void DataArchive::close_archive()
{
    entries_.clear();
    image_ = {};
    mapped_ = MappedFile();
    loaded_ = {};
}
