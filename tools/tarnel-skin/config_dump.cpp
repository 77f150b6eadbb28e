// SPDX-License-Identifier: GPL-3.0-or-later
#include "config_dump.h"

#include "command_table.h"
#include "config/config_walker.h"
#include "key_names.h"

#include <cstdio>

namespace {

std::string hex(std::uint32_t value, int digits)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%0*X", digits, value);
    return buffer;
}

std::string shown(const FieldLayout& field, const FieldValue& value)
{
    if (const auto* number = std::get_if<std::uint32_t>(&value)) {
        if (field.shown == Shown::decimal)
            return std::to_string(*number);
        std::string text = hex(*number, field.type == FieldType::u8 ? 2 : 4);
        if (is_command_field(field))
            if (const auto name = command_name(static_cast<std::uint16_t>(*number)))
                text.append(" (").append(*name).append(")");
        if (field.name == "key")
            if (const auto name = key_name_of(*number))
                text.append(" (").append(*name).append(")");
        return text;
    }
    if (const auto* rect = std::get_if<Rect>(&value))
        return "[" + std::to_string(rect->left) + ", " + std::to_string(rect->top) + ", " + std::to_string(rect->right) +
               ", " + std::to_string(rect->bottom) + "]";
    return quote_bytes(std::get<std::string>(value));
}

} // namespace

std::string quote_bytes(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        }
    }
    return out + "\"";
}

void ConfigDump::chunk_read(const ChunkRecord& chunk)
{
    const std::string indent(chunk.level == ChunkLevel::element ? 2 : 0, ' ');
    out_ << indent << (chunk.layout ? chunk.layout->name : "unknown") << ' ' << hex(chunk.header.id, 4) << " length "
         << chunk.header.length << " at " << chunk.offset << '\n';
    if (!chunk.layout)
        return;
    for (std::size_t i = 0; i < chunk.layout->fields.size(); ++i)
        out_ << indent << "  " << chunk.layout->fields[i].name << ' '
             << shown(chunk.layout->fields[i], chunk.values.fields[i]) << '\n';
    for (std::size_t e = 0; e < chunk.values.entries.size(); ++e) {
        out_ << indent << "  entry " << e << ':';
        for (std::size_t i = 0; i < chunk.layout->entry_fields.size(); ++i)
            out_ << (i ? ", " : " ") << chunk.layout->entry_fields[i].name << ' '
                 << shown(chunk.layout->entry_fields[i], chunk.values.entries[e][i]);
        out_ << '\n';
    }
}

void ConfigDump::file_cut_short(std::uint64_t size, std::uint32_t length)
{
    out_ << cut_short_message(size, length) << '\n';
}
