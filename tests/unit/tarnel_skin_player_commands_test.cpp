// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/skin_error.h"
#include "commands.h"
#include "media/jpeg_encoder.h"
#include "media/png_reader.h"
#include "media/png_writer.h"
#include "platform/headless/headless_platform.h"
#include "file_bytes.h"
#include "skin_files.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

using U = std::uint32_t;

std::unique_ptr<Platform> headless(bool layered)
{
    return std::make_unique<HeadlessPlatform>(layered);
}

// A page "p" with a blue background and a red slider knob at (10, 20).
SkinFiles page_skin()
{
    SkinFiles skin;
    skin.file("Data\\bg.bmp", solid_bmp(600, 510, 0x0000FF)).file("Data\\knob.bmp", solid_bmp(8, 8, 0xFF0000));
    skin.file("Data\\panel.rgn", std::vector<std::uint8_t>{});
    skin.chunks = {make_chunk(ChunkId::start_page, {{"page", "p"}}),
                   make_page("p", {make_chunk(ElementId::slider, {{"track", Rect{10, 20, 200, 28}}, {"knob", "Data\\knob.bmp"}})},
                             "Data\\bg.bmp")};
    return skin;
}

std::string check_error(const TempDir& dir)
{
    try {
        check_skin(dir.path(), headless);
    } catch (const SkinError& error) {
        return error.what();
    }
    return "no error";
}

TEST(TarnelSkinCheck, PassesAGoodSkinAndReportsThePlayersErrors)
{
    TempDir good;
    page_skin().write(good);
    EXPECT_EQ(check_error(good), "no error");

    TempDir missing_image;
    SkinFiles skin = page_skin();
    skin.archive.erase(skin.archive.begin());
    skin.write(missing_image);
    EXPECT_EQ(check_error(missing_image), "can't find file Data\\bg.bmp in datafile");

    TempDir no_archive;
    no_archive.write("tarnel.cfg", page_skin().config_bytes());
    EXPECT_EQ(check_error(no_archive), "can't open data file");

    TempDir empty;
    EXPECT_EQ(check_error(empty), "can't open config file");

    TempDir cut; // the good skin cut after its root fields
    page_skin().write(cut);
    const std::vector<std::uint8_t> config = page_skin().config_bytes();
    cut.write("tarnel.cfg", std::span(config).first(12));
    EXPECT_EQ(check_error(cut), "config file shorter than its header says: 12 of " + std::to_string(config.size()) +
                                    " bytes");
}

TEST(TarnelSkinCheck, ChecksLayeredModeToo)
{
    // An intro JPEG is cut to "Data\intro.rgn" in layered mode only.
    TempDir dir;
    SkinFiles skin = page_skin();
    skin.chunks.back() = make_page("p", {}, "Data\\intro.jpg");
    const std::vector<std::uint32_t> pixels(16 * 16, 0xFF808080);
    skin.file("Data\\intro.jpg", encode_jpeg(16, 16, pixels, 90));
    skin.write(dir);
    EXPECT_EQ(check_error(dir), "can't find file Data\\intro.rgn in datafile");
}

TEST(TarnelSkinRender, DrawsThePageInItsInitialState)
{
    TempDir dir;
    page_skin().write(dir);
    HeadlessPlatform platform;
    const SkinBitmap frame = draw_skin_page(dir.path(), "p", platform);
    ASSERT_EQ(frame.width(), 600);
    ASSERT_EQ(frame.height(), 510);
    EXPECT_EQ(frame.pixel(300, 300) & 0xFFFFFF, 0x0000FFu) << "the background";
    EXPECT_EQ(frame.pixel(12, 22) & 0xFFFFFF, 0xFF0000u) << "the knob at the slider's start";
    EXPECT_THROW(draw_skin_page(dir.path(), "nope", platform), std::runtime_error);
}

TEST(TarnelSkinRender, WritesAPng)
{
    TempDir dir;
    page_skin().write(dir);
    HeadlessPlatform platform;
    std::ostringstream out;
    const auto png = dir.path() / "p.png";
    render_page(dir.path(), "p", png, platform, out);
    std::ifstream in(png, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
    EXPECT_EQ(out.str(), "wrote " + png.string() + " (600 x 510)\n");
}

TEST(TarnelSkinRender, AllDrawsEveryPageAndEachButtonPressedAndHovered)
{
    // Blue page, red pressed look, green hover look; two buttons, numbered in manifest order.
    TempDir dir;
    for (const auto& [name, colour] : {std::pair{"bg.png", 0xFF0000FFu}, {"pr.png", 0xFFFF0000u}, {"hv.png", 0xFF00FF00u}})
        dir.write(name, encode_png(std::vector<std::uint32_t>(40 * 20, colour), 40, 20));
    const std::string manifest = R"([root]
width = 40
height = 20
[[chunk]]
type = "start_page"
page = "p/1"
[[chunk]]
type = "timing"
glow_step = 30
[[chunk]]
type = "page"
name = "p/1"
background = "Data\\bg.bmp"
pressed = "Data\\pr.bmp"
hover = "Data\\hv.bmp"
[[chunk.element]]
type = "button"
area = [2, 2, 10, 10]
[[chunk.element]]
type = "button"
area = [20, 2, 30, 10]
[[chunk]]
type = "page"
name = "empty"
)" + std::string("[[file]]\nname = \"Data\\\\bg.bmp\"\npath = \"bg.png\"\nformat = \"bmp24\"\n") +
                                 "[[file]]\nname = \"Data\\\\pr.bmp\"\npath = \"pr.png\"\nformat = \"bmp24\"\n" +
                                 "[[file]]\nname = \"Data\\\\hv.bmp\"\npath = \"hv.png\"\nformat = \"bmp24\"\n";
    std::ostringstream built;
    build_skin(dir.write("skin.toml", std::vector<std::uint8_t>(manifest.begin(), manifest.end())), dir.path() / "skin", built);

    HeadlessPlatform platform;
    std::ostringstream out;
    render_all_pages(dir.path() / "skin", dir.path() / "pictures", platform, platform.manual_clock(), out);
    EXPECT_NE(out.str().find("page empty has no background: skipped\n"), std::string::npos) << out.str();

    struct Expected {
        const char* file;
        std::uint32_t first, second; // colour at the first and the second button
    };
    const Expected pictures[] = {
        {"p_1.png", 0xFF0000FFu, 0xFF0000FFu},
        {"p_1-button-1-pressed.png", 0xFFFF0000u, 0xFF0000FFu},
        {"p_1-button-1-hover.png", 0xFF00FF00u, 0xFF0000FFu},
        {"p_1-button-2-pressed.png", 0xFF0000FFu, 0xFFFF0000u},
        {"p_1-button-2-hover.png", 0xFF0000FFu, 0xFF00FF00u},
    };
    for (const Expected& expected : pictures) {
        SCOPED_TRACE(expected.file);
        const auto picture = decode_png(read_file_bytes(dir.path() / "pictures" / expected.file));
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->pixels[5 * 40 + 5], expected.first);
        EXPECT_EQ(picture->pixels[5 * 40 + 25], expected.second);
        EXPECT_EQ(picture->pixels[15 * 40 + 35], 0xFF0000FFu);
    }
}

} // namespace
