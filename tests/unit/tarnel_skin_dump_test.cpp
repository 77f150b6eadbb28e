// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/skin_error.h"
#include "byte_builder.h"
#include "commands.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Dumps `bytes`; returns the printed text and the error text ("" when none).
std::pair<std::string, std::string> dump(const std::vector<std::uint8_t>& bytes)
{
    TempDir dir;
    std::ostringstream out;
    try {
        dump_config(dir.write("tarnel.cfg", bytes), out);
    } catch (const SkinError& error) {
        return {out.str(), error.what()};
    }
    return {out.str(), ""};
}

TEST(TarnelSkinDump, PrintsWhatItReadThenFails)
{
    ByteBuilder file;
    file.u16(0x0258).u32(200).string("T").u16(1).u16(2);
    file.u16(0x4000).u32(100).string("p").fill(4, 0).u8(0);
    file.u16(0x4090).u32(29).i32(1).i32(2).i32(3).i32(4).u8(2).u8(0).string("").u16(0x2001);
    file.u16(0x3030).u32(8).string("p");
    const auto [text, error] = dump(file.bytes());
    EXPECT_EQ(error, "config file corrupted, unknown slider orientation or type");
    EXPECT_EQ(text, "root 0x0258 length 200 at 0\n"
                    "  title \"T\"\n  width 1\n  height 2\n"
                    "config file shorter than its header says: 60 of 200 bytes\n"
                    "page 0x4000 length 100 at 12\n"
                    "  name \"p\"\n  background \"\"\n  pressed \"\"\n  hover \"\"\n  spare \"\"\n  fades 0\n"
                    "  slider 0x4090 length 29 at 25\n"
                    "    track [1, 2, 3, 4]\n    slider_type 2\n    orientation 0\n    knob \"\"\n    slider_id 0x2001\n");
}

TEST(TarnelSkinDump, ShowsUnknownChunksEntriesAndEscapedText)
{
    ByteBuilder file;
    file.u16(0x0258).u32(0).text("a\"b\\c").u8(0xE9).u8(0x0A).u8(0).u16(1).u16(2);
    const auto root_only = dump(file.bytes());
    EXPECT_EQ(root_only.first, "root 0x0258 length 0 at 0\n  title \"a\\\"b\\\\c\\xE9\\x0A\"\n  width 1\n  height 2\n");
    EXPECT_EQ(root_only.second, "");

    ByteBuilder chunks;
    chunks.u16(0x0258).u32(100).string("").u16(0).u16(0);
    chunks.u16(0xBEEF).u32(7).u8(1);
    chunks.u16(0x1000).u32(6).u8(0).u16(2).string("a").string("Data\\a.xm").string("b").string("");
    chunks.u16(0x4010).u32(3);
    const auto [text, error] = dump(chunks.bytes());
    EXPECT_EQ(text, "root 0x0258 length 100 at 0\n  title \"\"\n  width 0\n  height 0\n"
                    "config file shorter than its header says: 48 of 100 bytes\n"
                    "unknown 0xBEEF length 7 at 11\n"
                    "track_list 0x1000 length 6 at 18\n  kind 0\n  count 2\n"
                    "  entry 0: title \"a\", file \"Data\\\\a.xm\"\n  entry 1: title \"b\", file \"\"\n"
                    "unknown 0x4010 length 3 at 42\n");
    EXPECT_EQ(error, "config file corrupted, bad chunk length");
}

TEST(TarnelSkinDump, ReportsFilesThatCannotBeRead)
{
    TempDir dir;
    std::ostringstream out;
    EXPECT_THROW(dump_config(dir.path() / "missing.cfg", out), SkinError);
    EXPECT_EQ(dump({0x12, 0x34}).second, "config file corrupted, first chunk should be 0x0258");
}

} // namespace
