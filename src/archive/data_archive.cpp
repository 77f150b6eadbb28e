#include "archive/data_archive.h"

#include "base/skin_error.h"

#include <cstring>
#include <fstream>
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
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(path, error);
    std::ifstream file(path, std::ios::binary);
    if (!regular || !file)
        throw SkinError("can't open data file");
    const auto length = std::filesystem::file_size(path, error);
    if (error)
        throw SkinError("can't read data file");
    std::vector<std::uint8_t> image(static_cast<std::size_t>(length));
    if (!file.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size())) ||
        file.peek() != std::ifstream::traits_type::eof())
        throw SkinError("can't read data file");
    image_ = std::move(image);
}

void DataArchive::load_image(std::vector<std::uint8_t> image)
{
    image_ = std::move(image);
}

ArchiveFile DataArchive::find_file(std::string_view name) const
{
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
        if (entry_name == name)
            return ArchiveFile{{base + data_start, size}};
        position = data_start + size;
    }
    throw SkinError("can't find file " + std::string(name) + " in datafile");
}

void DataArchive::close_archive()
{
    image_ = {};
}
