// SPDX-License-Identifier: GPL-3.0-or-later
#include "byte_builder.h"
#include "config/config_reader.h"

#include <gtest/gtest.h>

namespace {

TEST(ConfigReader, ReadsLittleEndianFieldsInOrder)
{
    const auto bytes = ByteBuilder().u8(0xFE).u16(0x1234).u32(0x89ABCDEF).i32(-1).i32(2).i32(-300).i32(400).string("abc").string("").take();
    ConfigReader reader(bytes);
    EXPECT_EQ(reader.read_u8(), 0xFE);
    EXPECT_EQ(reader.read_u16(), 0x1234);
    EXPECT_EQ(reader.read_u32(), 0x89ABCDEFu);
    EXPECT_EQ(reader.read_rect(), (Rect{-1, 2, -300, 400}));
    EXPECT_EQ(reader.position(), 23u);
    EXPECT_EQ(reader.read_string(), "abc");
    EXPECT_EQ(reader.read_string(), "");
    EXPECT_EQ(reader.position(), bytes.size());
    EXPECT_TRUE(reader.at_end());
}

TEST(ConfigReader, FieldsCutByTheEndReadWhatIsThere)
{
    const auto bytes = ByteBuilder().u8(0x34).u8(0x12).u8(0x7F).take();
    ConfigReader reader(bytes);
    reader.skip(2);
    EXPECT_EQ(reader.remaining(), 1u);
    EXPECT_EQ(reader.read_u32(), 0x7Fu);
    EXPECT_EQ(reader.position(), 6u) << "a cut field still moves the position by its width";
    EXPECT_TRUE(reader.at_end());
    EXPECT_EQ(reader.remaining(), 0u);
    EXPECT_EQ(reader.read_u16(), 0);
    EXPECT_EQ(reader.read_string(), "");

    const auto text = ByteBuilder().text("no end").take();
    ConfigReader unterminated(text);
    EXPECT_EQ(unterminated.read_string(), "no end");
    EXPECT_EQ(unterminated.position(), 6u);

    ConfigReader empty({});
    EXPECT_TRUE(empty.at_end());
    const ChunkHeader header = empty.read_header();
    EXPECT_EQ(header.id, 0);
    EXPECT_EQ(header.length, 0u);
}

TEST(ConfigReader, ReadsFieldsByType)
{
    const auto bytes = ByteBuilder().u8(1).u16(2).u32(3).i32(4).i32(5).i32(6).i32(7).string("x").take();
    ConfigReader reader(bytes);
    EXPECT_EQ(reader.read_field(FieldType::u8), FieldValue(std::uint32_t{1}));
    EXPECT_EQ(reader.read_field(FieldType::u16), FieldValue(std::uint32_t{2}));
    EXPECT_EQ(reader.read_field(FieldType::u32), FieldValue(std::uint32_t{3}));
    EXPECT_EQ(reader.read_field(FieldType::rect), FieldValue(Rect{4, 5, 6, 7}));
    EXPECT_EQ(reader.read_field(FieldType::string), FieldValue(std::string("x")));
    EXPECT_TRUE(reader.at_end());
}

} // namespace
