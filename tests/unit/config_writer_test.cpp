// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/config_walker.h"
#include "config_bytes.h"
#include "skin-writer/config_writer.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

ConfigChunk smallest_file()
{
    ConfigChunk root = ConfigChunk::with_defaults(kRootLayout);
    root.values.fields = {std::string("A"), std::uint32_t{600}, std::uint32_t{510}};
    ConfigChunk start = ConfigChunk::with_defaults(layout_of(ChunkId::start_page));
    start.values.fields[0] = std::string("p");
    ConfigChunk page = ConfigChunk::with_defaults(layout_of(ChunkId::page));
    page.values.fields[0] = std::string("p");
    ConfigChunk button = ConfigChunk::with_defaults(layout_of(ElementId::button));
    button.values.fields = {Rect{10, 20, 50, 40}, std::uint32_t{0x1001}, std::uint32_t{0}};
    page.children.push_back(button);
    root.children = {start, page};
    return root;
}

TEST(ConfigWriter, WritesTheSmallestCompleteFile)
{
    EXPECT_EQ(write_config(smallest_file()), smallest_config_bytes());
}

TEST(ConfigWriter, WritesEntriesRawChunksAndGivenLengths)
{
    ConfigChunk root = ConfigChunk::with_defaults(kRootLayout);
    root.id = 0x0259;
    root.length = 3;
    ConfigChunk mapping = ConfigChunk::with_defaults(layout_of(ChunkId::string_mapping));
    mapping.values.fields = {std::uint32_t{2}};
    mapping.values.entries = {{std::string("b"), std::uint32_t{1}}, {std::string("a"), std::uint32_t{0}}};
    ConfigChunk raw;
    raw.id = 0x7000;
    raw.raw = {1, 2, 3};
    raw.length = 2;
    root.children = {mapping, raw};
    ByteBuilder expected;
    expected.u16(0x0259).u32(3).u8(0).u16(0).u16(0);
    expected.u16(0x5000).u32(16).u16(2).string("b").u16(1).string("a").u16(0);
    expected.u16(0x7000).u32(2).u8(1).u8(2).u8(3);
    EXPECT_EQ(write_config(root), expected.bytes());
}

TEST(ConfigWriter, RejectsValuesThatDoNotFitTheLayout)
{
    const auto broken = [](auto change) {
        ConfigChunk root = smallest_file();
        change(root.children[1].children[0].values);
        return root;
    };
    EXPECT_THROW(write_config(broken([](ChunkValues& v) { v.fields.pop_back(); })), std::invalid_argument);
    EXPECT_THROW(write_config(broken([](ChunkValues& v) { v.fields[1] = std::uint32_t{0x10000}; })), std::invalid_argument);
    EXPECT_THROW(write_config(broken([](ChunkValues& v) { v.fields[0] = std::string("x"); })), std::invalid_argument);
    ConfigChunk zero = smallest_file();
    zero.values.fields[0] = std::string("a\0b", 3);
    EXPECT_THROW(write_config(zero), std::invalid_argument);
}

class Collector : public ConfigVisitor {
public:
    void chunk_accepted(const ChunkRecord& chunk) override { values.push_back(chunk.values); }
    std::vector<ChunkValues> values;
};

TEST(ConfigWriter, WhatItWritesReadsBackUnchanged)
{
    ConfigChunk root = smallest_file();
    for (const ChunkLayout& layout : layouts_at(ChunkLevel::top)) {
        ConfigChunk chunk = ConfigChunk::with_defaults(layout);
        std::uint32_t number = 1;
        for (auto& value : chunk.values.fields) {
            if (auto* n = std::get_if<std::uint32_t>(&value))
                *n = number++;
            else if (auto* text = std::get_if<std::string>(&value))
                *text = std::string(layout.name);
        }
        if (!layout.entry_fields.empty()) {
            chunk.values.fields.back() = std::uint32_t{1};
            FieldValues entry;
            for (const FieldLayout& field : layout.entry_fields)
                entry.push_back(field.type == FieldType::string ? FieldValue(std::string("e")) : FieldValue(std::uint32_t{0}));
            chunk.values.entries.push_back(entry);
        }
        if (&layout == &layout_of(ChunkId::track_list))
            chunk.values.fields[0] = std::uint32_t{1};
        root.children.push_back(chunk);
    }
    std::vector<ChunkValues> expected{root.values};
    for (const ConfigChunk& chunk : root.children) {
        expected.push_back(chunk.values);
        for (const ConfigChunk& element : chunk.children)
            expected.push_back(element.values);
    }
    Collector collector;
    walk_config(write_config(root), collector);
    EXPECT_EQ(collector.values, expected);
}

} // namespace
