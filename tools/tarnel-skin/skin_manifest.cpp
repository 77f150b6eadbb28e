// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin_manifest.h"

#include "command_table.h"
#include "did_you_mean.h"
#include "key_names.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <limits>
#include <sstream>
#include <stdexcept>

namespace {

std::vector<std::string> chunk_type_names()
{
    std::vector<std::string> names{"raw"};
    for (ChunkLevel level : {ChunkLevel::top, ChunkLevel::element})
        for (const ChunkLayout& layout : layouts_at(level))
            names.emplace_back(layout.name);
    return names;
}

std::vector<std::string> names_of(std::span<const FieldLayout> fields, std::span<const std::string_view> allowed)
{
    std::vector<std::string> names(allowed.begin(), allowed.end());
    for (const FieldLayout& field : fields)
        names.emplace_back(field.name);
    return names;
}

// The line of every key of `table`, and the table's own.
SourceLines lines_of(const toml::table& table)
{
    SourceLines lines;
    lines.line = static_cast<int>(table.source().begin.line);
    for (const auto& [key, node] : table)
        lines.keys.emplace(std::string(key.str()), static_cast<int>(node.source().begin.line));
    return lines;
}

class ManifestParser {
public:
    explicit ManifestParser(std::string source_name) : source_name_(std::move(source_name)) {}

    [[noreturn]] void fail(const toml::node& node, const std::string& what) const
    {
        throw std::runtime_error(position_of(node) + ": " + what);
    }

    const toml::table& table_of(const toml::node& node, const std::string& what) const
    {
        if (!node.is_table())
            fail(node, what + " must be a table");
        return *node.as_table();
    }

    // Every array-of-tables under `key` ([[key]] or key = [{...}]), or none.
    std::vector<const toml::table*> tables_of(const toml::table& table, std::string_view key) const
    {
        std::vector<const toml::table*> out;
        const toml::node* node = table.get(key);
        if (!node)
            return out;
        if (!node->is_array())
            fail(*node, std::string(key) + " must be an array of tables");
        for (const toml::node& item : *node->as_array())
            out.push_back(&table_of(item, std::string(key) + " entry"));
        return out;
    }

    std::uint32_t integer(const toml::node& node, std::int64_t low, std::int64_t high, const std::string& what) const
    {
        // Only integer nodes: toml++ converts floats outside the integer range with undefined
        // behaviour (value<std::int64_t>() of 2e80).
        const std::int64_t value = node.is_integer() ? node.as_integer()->get() : 0;
        if (!node.is_integer() || value < low || value > high)
            fail(node, what + " must be an integer from " + std::to_string(low) + " to " + std::to_string(high));
        return static_cast<std::uint32_t>(value);
    }

    std::string text(const toml::node& node, const std::string& what) const
    {
        if (!node.is_string())
            fail(node, what + " must be a string");
        std::string value = node.as_string()->get();
        if (value.find('\0') != std::string::npos)
            fail(node, what + " cannot hold a 0 byte");
        return value;
    }

    // A command or key name given instead of a number.
    std::uint32_t named_value(const toml::node& node, const FieldLayout& field) const
    {
        const std::string name = node.as_string()->get();
        if (field.name == "key") {
            if (const auto code = key_by_name(name))
                return *code;
            std::vector<std::string> known;
            for (const KeyName& key : key_names())
                known.push_back(key.name);
            fail(node, "unknown key name " + name + did_you_mean(name, known) + " (tarnel-skin keys lists them)");
        }
        if (const auto id = command_by_name(name))
            return *id;
        fail(node, "unknown command " + name + did_you_mean(name, command_names()) + " (tarnel-skin commands lists them)");
    }

    FieldValue field_value(const toml::node& node, const FieldLayout& field) const
    {
        const std::string what = "field " + std::string(field.name);
        if (node.is_string() && (is_command_field(field) || field.name == "key"))
            return named_value(node, field);
        switch (field.type) {
        case FieldType::u8: return integer(node, 0, 0xFF, what);
        case FieldType::u16: return integer(node, 0, 0xFFFF, what);
        case FieldType::u32: return integer(node, 0, std::numeric_limits<std::uint32_t>::max(), what);
        case FieldType::string: return text(node, what);
        case FieldType::rect: {
            const toml::array* sides = node.as_array();
            if (!sides || sides->size() != 4)
                fail(node, what + " must be [left, top, right, bottom]");
            std::int32_t value[4];
            for (std::size_t i = 0; i < 4; ++i)
                value[i] = static_cast<std::int32_t>(integer((*sides)[i], std::numeric_limits<std::int32_t>::min(),
                                                             std::numeric_limits<std::int32_t>::max(), what));
            return Rect{value[0], value[1], value[2], value[3]};
        }
        }
        fail(node, what + " has an unknown type");
    }

    // Values of `fields` from `table`; absent fields take their defaults.
    FieldValues values_of(const toml::table& table, std::span<const FieldLayout> fields) const
    {
        FieldValues values;
        for (const FieldLayout& field : fields) {
            const toml::node* node = table.get(field.name);
            values.push_back(node ? field_value(*node, field) : default_value(field.type));
        }
        return values;
    }

    void reject_unknown_keys(const toml::table& table, const ChunkLayout* layout, std::span<const FieldLayout> fields,
                             std::span<const std::string_view> allowed) const
    {
        for (const auto& [key, node] : table) {
            bool known = std::find(allowed.begin(), allowed.end(), key.str()) != allowed.end();
            for (const FieldLayout& field : fields)
                known = known || field.name == key.str();
            if (!known)
                fail(node, "unknown key " + std::string(key.str()) +
                               (layout ? " for " + std::string(layout->name) : std::string()) +
                               did_you_mean(key.str(), names_of(fields, allowed)));
        }
    }

    std::vector<std::uint8_t> hex_bytes(const toml::node& node) const
    {
        const std::string digits = text(node, "data");
        std::vector<std::uint8_t> bytes;
        int pending = -1;
        for (char c : digits) {
            if (std::isspace(static_cast<unsigned char>(c)))
                continue;
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                fail(node, "data must be hexadecimal byte pairs");
            const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(c) - 'a' + 10;
            if (pending < 0) {
                pending = digit;
            } else {
                bytes.push_back(static_cast<std::uint8_t>(pending * 16 + digit));
                pending = -1;
            }
        }
        if (pending >= 0)
            fail(node, "data must be hexadecimal byte pairs");
        return bytes;
    }

    // A chunk or element table: `type` names its layout (or "raw"), fields by name.
    ConfigChunk chunk(const toml::table& table, bool may_hold_elements, SourceLines& lines) const
    {
        lines = lines_of(table);
        const toml::node* type = table.get("type");
        if (!type)
            fail(table, "chunk without type");
        const std::string type_name = text(*type, "type");
        ConfigChunk out;
        if (type_name == "raw") {
            constexpr std::string_view allowed[] = {"type", "id", "length", "data"};
            reject_unknown_keys(table, nullptr, {}, allowed);
            if (!table.get("id"))
                fail(table, "raw chunk without id");
            if (const toml::node* data = table.get("data"))
                out.raw = hex_bytes(*data);
        } else {
            const ChunkLayout* layout = find_layout_named(type_name);
            if (!layout || layout == &kRootLayout)
                fail(*type, "unknown chunk type " + type_name + did_you_mean(type_name, chunk_type_names()));
            const bool elements = layout->has_elements && may_hold_elements;
            const bool entries = !layout->entry_fields.empty();
            std::vector<std::string_view> allowed{"type", "id", "length"};
            if (elements)
                allowed.push_back("element");
            if (entries)
                allowed.push_back("entry");
            reject_unknown_keys(table, layout, layout->fields, allowed);
            out = ConfigChunk::with_defaults(*layout);
            out.values.fields = values_of(table, layout->fields);
            if (entries) {
                for (const toml::table* entry : tables_of(table, "entry")) {
                    reject_unknown_keys(*entry, layout, layout->entry_fields, {});
                    out.values.entries.push_back(values_of(*entry, layout->entry_fields));
                    lines.entries.push_back(lines_of(*entry));
                }
                if (!table.get("count"))
                    out.values.fields.back() = count_of(table, out.values.entries.size());
            }
            if (elements)
                for (const toml::table* element : tables_of(table, "element"))
                    out.children.push_back(chunk(*element, false, lines.children.emplace_back()));
        }
        read_overrides(table, out);
        return out;
    }

    // The `id` and `length` a table may give instead of the layout's id and the computed length.
    void read_overrides(const toml::table& table, ConfigChunk& chunk) const
    {
        if (const toml::node* id = table.get("id"))
            chunk.id = static_cast<std::uint16_t>(integer(*id, 0, 0xFFFF, "id"));
        if (const toml::node* length = table.get("length"))
            chunk.length = integer(*length, 0, std::numeric_limits<std::uint32_t>::max(), "length");
    }

    std::uint32_t count_of(const toml::table& table, std::size_t entries) const
    {
        if (entries > 0xFFFF)
            fail(table, "more than 65535 entries");
        return static_cast<std::uint32_t>(entries);
    }

    ConfigChunk root(const toml::table& document, SourceLines& lines) const
    {
        ConfigChunk out = ConfigChunk::with_defaults(kRootLayout);
        if (const toml::node* node = document.get("root")) {
            const toml::table& table = table_of(*node, "root");
            lines = lines_of(table);
            constexpr std::string_view allowed[] = {"id", "length"};
            reject_unknown_keys(table, &kRootLayout, kRootLayout.fields, allowed);
            out.values.fields = values_of(table, kRootLayout.fields);
            read_overrides(table, out);
        }
        for (const toml::table* table : tables_of(document, "chunk"))
            out.children.push_back(chunk(*table, true, lines.children.emplace_back()));
        return out;
    }

    std::vector<ManifestFile> files(const toml::table& document, const std::filesystem::path& base_dir) const
    {
        std::vector<ManifestFile> out;
        for (const toml::table* table : tables_of(document, "file")) {
            constexpr std::string_view allowed[] = {"name", "path", "text", "mask_from", "format", "quality", "dither", "source_2x"};
            reject_unknown_keys(*table, nullptr, {}, allowed);
            const toml::node* name = table->get("name");
            const toml::node* path = table->get("path");
            const toml::node* inline_text = table->get("text");
            const toml::node* mask_from = table->get("mask_from");
            if (!name || (path != nullptr) + (inline_text != nullptr) + (mask_from != nullptr) != 1)
                fail(*table, "a file needs a name and one of path, text or mask_from");
            ManifestFile file;
            file.name = text(*name, "name");
            file.where = position_of(*table);
            file.line = static_cast<int>(table->source().begin.line);
            if (path) {
                file.path = base_dir / text(*path, "path");
                file.source_where = position_of(*path);
                stored_format(*table, file);
            } else if (mask_from) {
                file.path = base_dir / text(*mask_from, "mask_from");
                file.source_where = position_of(*mask_from);
                file.mask_from_alpha = true;
            } else if (inline_text->is_string()) {
                file.text = inline_text->as_string()->get();
            } else {
                fail(*inline_text, "text must be a string");
            }
            if (!path)
                for (const char* key : {"format", "quality", "dither"})
                    if (const toml::node* node = table->get(key))
                        fail(*node, std::string(key) + " needs a path");
            if (const toml::node* source_2x = table->get("source_2x")) {
                if (inline_text)
                    fail(*source_2x, "source_2x needs a path or mask_from");
                file.source_2x = base_dir / text(*source_2x, "source_2x");
                file.source_2x_where = position_of(*source_2x);
            }
            out.push_back(std::move(file));
        }
        return out;
    }

    // `format` and the options that go with it.
    void stored_format(const toml::table& table, ManifestFile& file) const
    {
        constexpr std::pair<std::string_view, StoredFormat> formats[] = {
            {"jpeg", StoredFormat::jpeg}, {"bmp24", StoredFormat::bmp24}, {"bmp8", StoredFormat::bmp8}, {"rle8", StoredFormat::rle8}};
        if (const toml::node* format = table.get("format")) {
            const std::string value = text(*format, "format");
            const auto* found = std::find_if(std::begin(formats), std::end(formats), [&](const auto& f) { return f.first == value; });
            if (found == std::end(formats))
                fail(*format, "format must be jpeg, bmp24, bmp8 or rle8");
            file.format = found->second;
        }
        if (const toml::node* quality = table.get("quality")) {
            if (file.format != StoredFormat::jpeg)
                fail(*quality, "quality needs format = \"jpeg\"");
            file.quality = static_cast<int>(integer(*quality, 1, 100, "quality"));
        }
        if (const toml::node* dither = table.get("dither")) {
            if (file.format != StoredFormat::bmp8 && file.format != StoredFormat::rle8)
                fail(*dither, "dither needs format = \"bmp8\" or \"rle8\"");
            if (!dither->is_boolean())
                fail(*dither, "dither must be true or false");
            file.dither = dither->as_boolean()->get();
        }
    }

    std::string position_of(const toml::node& node) const
    {
        const auto& begin = node.source().begin;
        return source_name_ + ":" + std::to_string(begin.line) + ":" + std::to_string(begin.column);
    }

private:
    std::string source_name_;
};

} // namespace

SkinManifest parse_manifest(std::string_view toml_text, const std::string& source_name,
                            const std::filesystem::path& base_dir)
{
    toml::table document;
    try {
        document = toml::parse(toml_text, source_name);
    } catch (const toml::parse_error& error) {
        const auto& begin = error.source().begin;
        throw std::runtime_error(source_name + ":" + std::to_string(begin.line) + ":" + std::to_string(begin.column) +
                                 ": " + std::string(error.description()));
    }
    const ManifestParser parser(source_name);
    for (const auto& [key, node] : document)
        if (key.str() != "root" && key.str() != "chunk" && key.str() != "file")
            parser.fail(node, "unknown key " + std::string(key.str()) + did_you_mean(key.str(), {"root", "chunk", "file"}));
    SkinManifest manifest;
    manifest.source_name = source_name;
    manifest.config = parser.root(document, manifest.lines);
    manifest.files = parser.files(document, base_dir);
    return manifest;
}

SkinManifest load_manifest(const std::filesystem::path& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("can't open " + path.string());
    std::ostringstream text;
    text << in.rdbuf();
    return parse_manifest(text.str(), path.string(), path.parent_path());
}
