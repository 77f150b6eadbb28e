// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/config_head.h"

#include "base/skin_error.h"

#include <fstream>
#include <optional>

namespace {

// Little-endian u16; nullopt when the file ends first.
std::optional<std::uint16_t> read_u16(std::istream& in)
{
    unsigned char bytes[2];
    if (!in.read(reinterpret_cast<char*>(bytes), 2))
        return std::nullopt;
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

} // namespace

ConfigHead read_config_head(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::error_code error;
    if (!in || std::filesystem::is_directory(path, error))
        throw SkinError("can't open config file");
    const auto id = read_u16(in);
    if (id != 0x0258)
        throw SkinError("config file corrupted, first chunk should be 0x0258");
    in.ignore(4);
    ConfigHead head;
    int byte = in.get();
    for (; byte != std::char_traits<char>::eof() && byte != 0; byte = in.get())
        head.title.push_back(static_cast<char>(byte));
    const auto width = read_u16(in);
    const auto height = read_u16(in);
    if (byte != 0 || !width || !height)
        throw SkinError("config file corrupted, window size missing");
    if (std::uint64_t{*width} * *height > max_window_pixels)
        throw SkinError("config file corrupted, window size too large");
    head.width = *width;
    head.height = *height;
    return head;
}
