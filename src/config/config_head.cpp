#include "config/config_head.h"

#include "base/skin_error.h"

#include <fstream>

namespace {

// Little-endian u16; bytes missing at the end of the file count as 0.
std::uint16_t read_u16(std::istream& in)
{
    std::uint16_t value = 0;
    for (int shift = 0; shift < 16; shift += 8) {
        const int byte = in.get();
        if (byte == std::char_traits<char>::eof())
            break;
        value = static_cast<std::uint16_t>(value | byte << shift);
    }
    return value;
}

} // namespace

ConfigHead read_config_head(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::error_code error;
    if (!in || std::filesystem::is_directory(path, error))
        throw SkinError("can't open config file");
    const std::uint16_t id = read_u16(in);
    in.ignore(4);
    if (id != 0x0258)
        throw SkinError("config file corrupted, first chunk should be 0x0258");
    ConfigHead head;
    for (int byte = in.get(); byte != std::char_traits<char>::eof() && byte != 0; byte = in.get())
        head.title.push_back(static_cast<char>(byte));
    head.width = read_u16(in);
    head.height = read_u16(in);
    return head;
}
