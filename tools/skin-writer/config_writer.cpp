// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin-writer/config_writer.h"

#include <limits>
#include <stdexcept>
#include <string>

namespace {

void put_le(std::vector<std::uint8_t>& out, std::uint32_t value, int width)
{
    for (int i = 0; i < width; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void put_field(std::vector<std::uint8_t>& out, const FieldLayout& field, const FieldValue& value,
               std::string_view chunk_name)
{
    if (!fits(value, field.type))
        throw std::invalid_argument(std::string(chunk_name) + " field " + std::string(field.name) +
                                    ": value does not fit the field");
    switch (field.type) {
    case FieldType::u8:
    case FieldType::u16:
    case FieldType::u32:
        put_le(out, std::get<std::uint32_t>(value), static_cast<int>(fixed_field_size(field.type)));
        break;
    case FieldType::rect: {
        const Rect& rect = std::get<Rect>(value);
        for (std::int32_t side : {rect.left, rect.top, rect.right, rect.bottom})
            put_le(out, static_cast<std::uint32_t>(side), 4);
        break;
    }
    case FieldType::string: {
        const std::string& text = std::get<std::string>(value);
        if (text.find('\0') != std::string::npos)
            throw std::invalid_argument(std::string(chunk_name) + " field " + std::string(field.name) +
                                        ": a string cannot hold a 0 byte");
        out.insert(out.end(), text.begin(), text.end());
        out.push_back(0);
        break;
    }
    }
}

void put_values(std::vector<std::uint8_t>& out, std::span<const FieldLayout> layout, const FieldValues& values,
                std::string_view chunk_name)
{
    if (values.size() != layout.size())
        throw std::invalid_argument(std::string(chunk_name) + ": expected " + std::to_string(layout.size()) +
                                    " field values, got " + std::to_string(values.size()));
    for (std::size_t i = 0; i < layout.size(); ++i)
        put_field(out, layout[i], values[i], chunk_name);
}

void put_chunk(std::vector<std::uint8_t>& out, const ConfigChunk& chunk)
{
    const std::size_t start = out.size();
    put_le(out, chunk.id, 2);
    put_le(out, 0, 4);
    if (chunk.layout) {
        put_values(out, chunk.layout->fields, chunk.values.fields, chunk.layout->name);
        for (const FieldValues& entry : chunk.values.entries)
            put_values(out, chunk.layout->entry_fields, entry, chunk.layout->name);
    } else {
        out.insert(out.end(), chunk.raw.begin(), chunk.raw.end());
    }
    for (const ConfigChunk& child : chunk.children)
        put_chunk(out, child);
    const std::size_t size = out.size() - start;
    if (size > std::numeric_limits<std::uint32_t>::max())
        throw std::invalid_argument("chunk larger than 4 GiB");
    const std::uint32_t length = chunk.length.value_or(static_cast<std::uint32_t>(size));
    for (int i = 0; i < 4; ++i)
        out[start + 2 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (8 * i));
}

} // namespace

ConfigChunk ConfigChunk::with_defaults(const ChunkLayout& layout)
{
    ConfigChunk chunk;
    chunk.layout = &layout;
    chunk.id = layout.id;
    for (const FieldLayout& field : layout.fields)
        chunk.values.fields.push_back(default_value(field.type));
    return chunk;
}

std::vector<std::uint8_t> write_config(const ConfigChunk& root)
{
    std::vector<std::uint8_t> out;
    put_chunk(out, root);
    return out;
}
