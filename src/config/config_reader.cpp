// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/config_reader.h"

#include "base/span_at.h"

#include <cstring>

std::uint32_t ConfigReader::read_little_endian(int width)
{
    std::uint32_t value = 0;
    for (int i = 0; i < width; ++i) {
        if (!at_end())
            value |= static_cast<std::uint32_t>(span_at(bytes_, position_)) << (8 * i);
        ++position_;
    }
    return value;
}

Rect ConfigReader::read_rect()
{
    Rect rect;
    rect.left = static_cast<std::int32_t>(read_u32());
    rect.top = static_cast<std::int32_t>(read_u32());
    rect.right = static_cast<std::int32_t>(read_u32());
    rect.bottom = static_cast<std::int32_t>(read_u32());
    return rect;
}

std::string ConfigReader::read_string()
{
    if (at_end())
        return {};
    const auto rest = bytes_.subspan(static_cast<std::size_t>(position_)); // inside the bytes: fits
    const void* terminator = std::memchr(rest.data(), 0, rest.size());
    const std::size_t length =
        terminator ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(terminator) - rest.data()) : rest.size();
    position_ += terminator ? length + 1 : length;
    return std::string(reinterpret_cast<const char*>(rest.data()), length);
}

ChunkHeader ConfigReader::read_header()
{
    ChunkHeader header;
    header.id = read_u16();
    header.length = read_u32();
    return header;
}

FieldValue ConfigReader::read_field(FieldType type)
{
    switch (type) {
    case FieldType::u8: return std::uint32_t{read_u8()};
    case FieldType::u16: return std::uint32_t{read_u16()};
    case FieldType::u32: return read_u32();
    case FieldType::rect: return read_rect();
    case FieldType::string: return read_string();
    }
    return std::uint32_t{0};
}
