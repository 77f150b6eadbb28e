// SPDX-License-Identifier: GPL-3.0-or-later
// Art at twice the size, from the manifest's source_2x through the skin tool's archive to the
// player's frame on a window of twice the density.
#include "app/player.h"
#include "archive_entries.h"
#include "commands.h"
#include "file_bytes.h"
#include "media/png_writer.h"
#include "platform/headless/headless_platform.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

constexpr std::uint32_t blue = 0xFF336699u, dark = 0xFF102030u, light = 0xFFC0D0E0u;
// The knob, 2 × 2 and without art at twice the size, stands at (4, 2).
constexpr std::uint32_t knob_colours[] = {0xFFAA0000u, 0xFF00AA00u, 0xFF0000AAu, 0xFFAAAA00u};

// One page "p": a blue background whose art at twice the size (when `twice` is given) is a
// checkerboard of single pixels, a slider knob, and the panel mask with its own art.
std::string manifest(const std::string& twice)
{
    return "[root]\nwidth = 8\nheight = 6\n"
           "[[chunk]]\ntype = \"start_page\"\npage = \"p\"\n"
           "[[chunk]]\ntype = \"page\"\nname = \"p\"\nbackground = \"Data\\\\bg.bmp\"\n"
           "[[chunk.element]]\ntype = \"slider\"\ntrack = [4, 2, 8, 4]\nslider_type = 0\norientation = 0\n"
           "knob = \"Data\\\\knob.bmp\"\nslider_id = 0x2003\n"
           "[[file]]\nname = \"Data\\\\bg.bmp\"\npath = \"bg.png\"\nformat = \"bmp24\"\n" + twice +
           "[[file]]\nname = \"Data\\\\knob.bmp\"\npath = \"knob.png\"\nformat = \"bmp24\"\n"
           "[[file]]\nname = \"Data\\\\panel.rgn\"\nmask_from = \"mask.png\"\nsource_2x = \"mask2.png\"\n";
}

std::uint32_t checker(int x, int y) { return (x + y) % 2 == 0 ? dark : light; }

// Writes the art and builds the skin into DIR/out; returns what the build printed.
std::string build(const TempDir& dir, const std::string& twice, int twice_width = 16)
{
    std::vector<std::uint32_t> bg2, mask2;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < twice_width; ++x)
            bg2.push_back(checker(x, y));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
            mask2.push_back(x == 0 && y == 0 ? 0u : 0xFF000000u); // one pixel cut
    dir.write("bg.png", encode_png(std::vector<std::uint32_t>(8 * 6, blue), 8, 6));
    dir.write("bg2.png", encode_png(bg2, twice_width, 12));
    dir.write("knob.png", encode_png({std::begin(knob_colours), std::end(knob_colours)}, 2, 2));
    dir.write("mask.png", encode_png(std::vector<std::uint32_t>(8 * 6, 0xFF000000u), 8, 6, PngAlpha::keep));
    dir.write("mask2.png", encode_png(mask2, 16, 12, PngAlpha::keep));
    const std::string text = manifest(twice);
    std::ostringstream out;
    build_skin(dir.write("skin.toml", std::vector<std::uint8_t>(text.begin(), text.end())), dir.path() / "out", out);
    return out.str();
}

// The page drawn by the player on a window of `scale`.
SkinBitmap page_at(const TempDir& dir, int scale)
{
    HeadlessPlatform platform(false, Rect{0, 0, 1024, 768}, scale);
    return draw_skin_page(dir.path() / "out", "p", platform);
}

std::uint32_t knob_or(int x, int y, std::uint32_t otherwise)
{
    const bool on_knob = x >= 4 && x < 6 && y >= 2 && y < 4;
    return on_knob ? knob_colours[(y - 2) * 2 + (x - 4)] : otherwise;
}

std::vector<std::uint8_t> stored(const TempDir& dir, const std::string& name)
{
    const auto image = read_file_bytes(dir.path() / "out" / "tarnel.dat");
    for (const ArchiveListing& entry : scan_archive(image).entries)
        if (entry.name == name)
            return {image.begin() + static_cast<std::ptrdiff_t>(entry.offset), image.begin() + static_cast<std::ptrdiff_t>(entry.offset + entry.size)};
    return {};
}

TEST(TwiceSizeArt, OnePixelDetailShowsAtScale2AndOtherPicturesAreDoubled)
{
    TempDir dir;
    build(dir, "source_2x = \"bg2.png\"\n");

    const SkinBitmap sharp = page_at(dir, 2);
    ASSERT_EQ(sharp.width(), 16);
    ASSERT_EQ(sharp.height(), 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(sharp.pixel(x, y), knob_or(x / 2, y / 2, checker(x, y))) << x << ", " << y;

    const SkinBitmap plain = page_at(dir, 1);
    ASSERT_EQ(plain.width(), 8);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(plain.pixel(x, y), knob_or(x, y, blue)) << x << ", " << y;

    // The mask at twice the size, from its own art's alpha.
    std::vector<std::uint8_t> mask(16 * 12, 0);
    mask[0] = 1;
    EXPECT_EQ(stored(dir, "Data\\panel@2x.rgn"), mask);
}

TEST(TwiceSizeArt, WithoutItTheFrameOfADenseScreenIsTheSkinsFrameDoubledAsBefore)
{
    TempDir dir;
    build(dir, "");
    const SkinBitmap dense = page_at(dir, 2);
    const SkinBitmap plain = page_at(dir, 1);
    EXPECT_EQ(dense.width(), 8) << "the frame stays at the skin's size; the window doubles it";
    EXPECT_TRUE(std::ranges::equal(dense.pixels(), plain.pixels()));
}

TEST(TwiceSizeArt, TheToolWarnsOfArtNotTwiceTheSizeAtItsLineAndStoresNone)
{
    TempDir dir;
    const std::string printed = build(dir, "source_2x = \"bg2.png\"\n", 15);
    EXPECT_NE(printed.find("skin.toml:22:13: warning: Data\\bg.bmp: " + (dir.path() / "bg2.png").string() +
                           " is 15 x 12, not twice 8 x 6: not stored, the player draws the picture doubled"),
              std::string::npos)
        << printed;
    EXPECT_TRUE(stored(dir, "Data\\bg@2x.bmp").empty());
}

// Art at twice the size that the player can't use, stored under its name by hand.
TEST(TwiceSizeArt, ThePlayerDrawsDoubledWhereTheArtDoesNotFitAndSaysWhy)
{
    const std::vector<std::uint8_t> small_bmp = [] {
        TempDir dir;
        build(dir, "");
        return stored(dir, "Data\\bg.bmp"); // 8 x 6: not twice the size
    }();
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* name;
        const char* warning;
    } cases[] = {
        {"damaged", {'n', 'o', 't', ' ', 'b', 'm', 'p'}, "Data\\bg@2x.bmp",
         "Data\\bg@2x.bmp: invalid bmp format: Data\\bg.bmp is drawn doubled instead"},
        {"no picture", [] {
             std::vector<std::uint8_t> header(64, 0);
             header[0] = 'B';
             header[1] = 'M';
             return header;
         }(),
         "Data\\bg@2x.bmp", "Data\\bg@2x.bmp: no picture (damaged, or past the size limit): Data\\bg.bmp is drawn doubled instead"},
        {"the same size", small_bmp, "Data\\bg@2x.bmp", "Data\\bg@2x.bmp is 8 x 6, not 16 x 12: Data\\bg.bmp is drawn doubled instead"},
        {"a knob of a page picture's size", small_bmp, "Data\\knob@2x.bmp",
         "Data\\knob@2x.bmp is 8 x 6, not 4 x 4: Data\\knob.bmp is drawn doubled instead"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        dir.write("extra.bin", c.bytes);
        build(dir, std::string("[[file]]\nname = \"") + (std::string(c.name).replace(4, 1, "\\\\")) + "\"\npath = \"extra.bin\"\n");
        HeadlessPlatform platform(false, Rect{0, 0, 1024, 768}, 2);
        Player player(platform, dir.path() / "out");
        player.load_skin();
        EXPECT_EQ(player.warnings(), std::vector<std::string>{c.warning});
        EXPECT_EQ(player.back_buffer()->scale(), 1);
    }
}

} // namespace
