// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin_files.h"

#include "byte_builder.h"
#include "temp_dir.h"

ConfigChunk make_chunk(const ChunkLayout& layout, std::initializer_list<NamedField> fields,
                       std::vector<FieldValues> entries, std::vector<ConfigChunk> children)
{
    ConfigChunk chunk = ConfigChunk::with_defaults(layout);
    for (const auto& [name, value] : fields)
        chunk.values.fields.at(field_index(layout.fields, name)) = value;
    if (!layout.entry_fields.empty())
        chunk.values.fields.back() = static_cast<std::uint32_t>(entries.size());
    chunk.values.entries = std::move(entries);
    chunk.children = std::move(children);
    return chunk;
}

ConfigChunk make_chunk(ChunkId id, std::initializer_list<NamedField> fields, std::vector<FieldValues> entries,
                       std::vector<ConfigChunk> children)
{
    return make_chunk(layout_of(id), fields, std::move(entries), std::move(children));
}

ConfigChunk make_chunk(ElementId id, std::initializer_list<NamedField> fields)
{
    return make_chunk(layout_of(id), fields);
}

ConfigChunk make_page(std::string name, std::vector<ConfigChunk> elements, std::string background, bool fades)
{
    return make_chunk(ChunkId::page,
                      {{"name", std::move(name)}, {"background", std::move(background)}, {"fades", std::uint32_t{fades}}},
                      {}, std::move(elements));
}

std::vector<std::uint8_t> solid_bmp(int width, int height, std::uint32_t rgb)
{
    const auto row_bytes = static_cast<std::uint32_t>((width * 3 + 3) / 4 * 4);
    const std::uint32_t data_size = row_bytes * static_cast<std::uint32_t>(height);
    ByteBuilder out;
    out.text("BM").u32(54 + data_size).u32(0).u32(54);
    out.u32(40).i32(width).i32(height).u16(1).u16(24).u32(0).u32(data_size).u32(0).u32(0).u32(0).u32(0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            out.u8(static_cast<std::uint8_t>(rgb)).u8(static_cast<std::uint8_t>(rgb >> 8)).u8(static_cast<std::uint8_t>(rgb >> 16));
        out.fill(row_bytes - static_cast<std::uint32_t>(width * 3), 0);
    }
    return out.take();
}

SkinFiles& SkinFiles::file(std::string name, std::vector<std::uint8_t> bytes)
{
    archive.emplace_back(std::move(name), std::move(bytes));
    return *this;
}

SkinFiles& SkinFiles::file(std::string name, std::string_view text)
{
    return file(std::move(name), std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::vector<std::uint8_t> SkinFiles::config_bytes() const
{
    ConfigChunk root = make_chunk(kRootLayout, {{"title", title}, {"width", std::uint32_t{width}},
                                                {"height", std::uint32_t{height}}});
    root.children = chunks;
    return write_config(root);
}

std::vector<std::uint8_t> SkinFiles::archive_bytes() const
{
    ByteBuilder out;
    for (const auto& [name, bytes] : archive)
        out.string(name).u32(static_cast<std::uint32_t>(bytes.size())).raw(bytes);
    return out.take();
}

void SkinFiles::write(const TempDir& dir) const
{
    dir.write("tarnel.cfg", config_bytes());
    dir.write("tarnel.dat", archive_bytes());
}
