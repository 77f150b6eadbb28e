// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/skin_error.h"
#include "byte_builder.h"
#include "config/config_head.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace {

std::string error_of(const std::filesystem::path& path)
{
    try {
        read_config_head(path);
    } catch (const SkinError& error) {
        return error.what();
    }
    return "no error";
}

TEST(ConfigHead, ReadsTitleAndSize)
{
    TempDir dir;
    const auto normal = dir.write("a.cfg", ByteBuilder().u16(0x0258).u32(59).string("A").u16(600).u16(510).bytes());
    const auto head = read_config_head(normal);
    EXPECT_EQ(head.title, "A");
    EXPECT_EQ(head.width, 600);
    EXPECT_EQ(head.height, 510);

    const auto empty_title = read_config_head(dir.write("b.cfg", ByteBuilder().u16(0x0258).u32(11).u8(0).u16(320).u16(200).bytes()));
    EXPECT_EQ(empty_title.title, "");
    EXPECT_EQ(empty_title.width, 320);
    EXPECT_EQ(empty_title.height, 200);

}

TEST(ConfigHead, RejectsMissingAndForeignFiles)
{
    TempDir dir;
    EXPECT_EQ(error_of(dir.path() / "tarnel.cfg"), "can't open config file");
    EXPECT_EQ(error_of(dir.path()), "can't open config file");
    EXPECT_EQ(error_of(dir.write("x.cfg", ByteBuilder().u16(0x0259).u32(6).bytes())),
              "config file corrupted, first chunk should be 0x0258");
    EXPECT_EQ(error_of(dir.write("y.cfg", ByteBuilder().u8(0x58).bytes())), "config file corrupted, first chunk should be 0x0258");

    EXPECT_EQ(error_of(dir.write("huge.cfg", ByteBuilder().u16(0x0258).u32(11).u8(0).u16(65535).u16(65535).bytes())),
              "config file corrupted, window size too large");
    EXPECT_EQ(error_of(dir.write("big.cfg", ByteBuilder().u16(0x0258).u32(11).u8(0).u16(8192).u16(4096).bytes())), "no error");

    // A head cut anywhere before the height's last byte would open a window of no size.
    const auto whole = ByteBuilder().u16(0x0258).u32(59).string("A").u16(600).u16(510).take();
    for (std::size_t length = 2; length < whole.size(); ++length) {
        const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(error_of(dir.write("cut.cfg", cut)), "config file corrupted, window size missing") << length << " bytes";
    }
}

} // namespace
