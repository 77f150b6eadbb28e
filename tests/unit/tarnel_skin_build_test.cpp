// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/skin_error.h"
#include "commands.h"
#include "config/config_walker.h"
#include "config_bytes.h"
#include "file_bytes.h"
#include "skin_manifest.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace {

ByteBuilder rect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
{
    ByteBuilder out;
    out.i32(l).i32(t).i32(r).i32(b);
    return out;
}

std::vector<std::uint8_t> build(const std::string& manifest_text, const TempDir& dir, std::ostream& out)
{
    const auto manifest = dir.write("skin.toml", std::vector<std::uint8_t>(manifest_text.begin(), manifest_text.end()));
    build_skin(manifest, dir.path() / "out", out);
    return read_file_bytes(dir.path() / "out" / "tarnel.cfg");
}

TEST(TarnelSkinBuild, ReproducesTheSmallestCompleteFile)
{
    TempDir dir;
    std::ostringstream out;
    build_skin(std::filesystem::path(VORLUNDE_TEST_DATA_DIR) / "smallest_skin.toml", dir.path(), out);
    EXPECT_EQ(read_file_bytes(dir.path() / "tarnel.cfg"), smallest_config_bytes());
    EXPECT_TRUE(read_file_bytes(dir.path() / "tarnel.dat").empty());
}

const char* const kEveryChunk = R"(
[root]
title = "Skin"
width = 320
height = 200

[[chunk]]
type = "font_file"
file = "Data\\f.ttf"

[[chunk]]
type = "font"
name = "font"
face = "Tahoma"
height = 14
weight = 700
extra1 = 1
extra2 = 2
extra3 = 3
extra4 = 0xFFFFFFFF

[[chunk]]
type = "plugin"
name = "vis"
library = "libvis.so"

[[chunk]]
type = "tray_menu"
tooltip = "tip"
[[chunk.entry]]
text = "Play"
command = 0x1001
argument = 7

[[chunk]]
type = "timing"
music_fade_ms = 900
glow_step = 5

[[chunk]]
type = "string_mapping"
entry = [{ text = "p", index = 1 }, { text = "q", index = 0 }]

[[chunk]]
type = "start_page"
page = "p"

[[chunk]]
type = "page"
name = "p"
background = "bg.bmp"
pressed = "pr.bmp"
hover = "hv.bmp"
spare = "x"
fades = 1

[[chunk.element]]
type = "button"
area = [-1, 2, 30, 40]
command = 0x1001
argument = 3

[[chunk.element]]
type = "key_binding"
key = 0x20
command = 0x1002

[[chunk.element]]
type = "lamp"
name = "musicrandom"
area = [1, 2, 3, 4]

[[chunk.element]]
type = "click_command"
command = 0x4001
argument = 1

[[chunk.element]]
type = "right_click_command"
command = 0x4002
argument = 2

[[chunk.element]]
type = "enter_command"
command = 0x4003
argument = 3

[[chunk.element]]
type = "leave_command"
command = 0x4004
argument = 4

[[chunk.element]]
type = "track_list_view"
area = [5, 6, 7, 8]
selection = 3
font = "font"
line_height = 1

[[chunk.element]]
type = "slider"
track = [9, 10, 11, 12]
slider_type = 1
orientation = 1
knob = "knob.bmp"
slider_id = 0x2001

[[chunk.element]]
type = "text_browser"
area = [13, 14, 15, 16]
font = "font"
line_height = 12

[[chunk.element]]
type = "text_item"
title = "Read me"
file = "Data\\a.txt"

[[chunk.element]]
type = "timer"
interval_ms = 70000
command = 0x8001
argument = 2

[[chunk.element]]
type = "plugin_attachment"
plugin = "vis"
mode = 1

[[chunk.element]]
type = "wheel_area"
area = [17, 18, 19, 20]
up_command = 0x3001
up_argument = 1
down_command = 0x3002
down_argument = 2

[[chunk]]
type = "track_list"
kind = 1
[[chunk.entry]]
title = "one"
file = "a.mp3"

[[chunk]]
type = "raw"
id = 0x7000
data = "01 02 Ff"

[[file]]
name = "Data\\a.txt"
text = "hello"

[[file]]
name = "Data\\panel.rgn"
path = "mask.bin"
)";

TEST(TarnelSkinBuild, WritesEveryChunkAndElementOfTheManifest)
{
    ByteBuilder page;
    page.string("p").string("bg.bmp").string("pr.bmp").string("hv.bmp").string("x").u8(1);
    config_chunk(page, 0x4010, rect(-1, 2, 30, 40).u16(0x1001).u16(3));
    config_chunk(page, 0x4020, ByteBuilder().u8(0x20).u16(0x1002).u16(0));
    config_chunk(page, 0x4030, ByteBuilder().string("musicrandom").raw(rect(1, 2, 3, 4).bytes()));
    for (std::uint16_t i = 1; i <= 4; ++i)
        config_chunk(page, static_cast<std::uint16_t>(0x4030 + 0x10 * i), ByteBuilder().u16(static_cast<std::uint16_t>(0x4000 + i)).u16(i));
    config_chunk(page, 0x4080, rect(5, 6, 7, 8).u8(3).string("font").u8(1));
    config_chunk(page, 0x4090, rect(9, 10, 11, 12).u8(1).u8(1).string("knob.bmp").u16(0x2001));
    config_chunk(page, 0x4100, rect(13, 14, 15, 16).string("font").u8(12));
    config_chunk(page, 0x4110, ByteBuilder().string("Read me").string("Data\\a.txt"));
    config_chunk(page, 0x4120, ByteBuilder().u32(70000).u16(0x8001).u16(2));
    config_chunk(page, 0x4130, ByteBuilder().string("vis").u8(1));
    config_chunk(page, 0x4140, rect(17, 18, 19, 20).u16(0x3001).u16(1).u16(0x3002).u16(2));
    ByteBuilder body;
    body.string("Skin").u16(320).u16(200);
    config_chunk(body, 0x3010, ByteBuilder().string("Data\\f.ttf"));
    config_chunk(body, 0x3020, ByteBuilder().string("font").string("Tahoma").u8(14).u16(700).u32(1).u32(2).u32(3).u32(0xFFFFFFFF));
    config_chunk(body, 0x6000, ByteBuilder().string("vis").string("libvis.so"));
    config_chunk(body, 0x2000, ByteBuilder().string("tip").u16(1).string("Play").u16(0x1001).u16(7));
    config_chunk(body, 0x3040, ByteBuilder().u16(0).u16(900).u16(5));
    config_chunk(body, 0x5000, ByteBuilder().u16(2).string("p").u16(1).string("q").u16(0));
    config_chunk(body, 0x3030, ByteBuilder().string("p"));
    config_chunk(body, 0x4000, page);
    config_chunk(body, 0x1000, ByteBuilder().u8(1).u16(1).string("one").string("a.mp3"));
    config_chunk(body, 0x7000, ByteBuilder().u8(1).u8(2).u8(0xFF));
    ByteBuilder expected;
    config_chunk(expected, 0x0258, body);

    TempDir dir;
    const std::vector<std::uint8_t> mask{0, 1, 1, 0};
    dir.write("mask.bin", mask);
    std::ostringstream out;
    EXPECT_EQ(build(kEveryChunk, dir, out), expected.bytes());
    ByteBuilder archive;
    archive_entry(archive, "Data\\a.txt", "hello");
    archive.string("Data\\panel.rgn").u32(4).raw(mask);
    EXPECT_EQ(read_file_bytes(dir.path() / "out" / "tarnel.dat"), archive.bytes());
}

TEST(TarnelSkinBuild, DumpShowsWhatTheManifestSaid)
{
    TempDir dir;
    dir.write("mask.bin", std::vector<std::uint8_t>{1});
    std::ostringstream ignored, dump;
    build(kEveryChunk, dir, ignored);
    dump_config(dir.path() / "out" / "tarnel.cfg", dump);
    std::vector<std::string> headers;
    std::istringstream lines(dump.str());
    for (std::string line; std::getline(lines, line);)
        if (line.find(" length ") != std::string::npos)
            headers.push_back(line.substr(0, line.find(" length ")));
    EXPECT_EQ(headers, (std::vector<std::string>{
                           "root 0x0258", "font_file 0x3010", "font 0x3020", "plugin 0x6000", "tray_menu 0x2000",
                           "timing 0x3040", "string_mapping 0x5000", "start_page 0x3030", "page 0x4000",
                           "  button 0x4010", "  key_binding 0x4020", "  lamp 0x4030", "  click_command 0x4040",
                           "  right_click_command 0x4050", "  enter_command 0x4060", "  leave_command 0x4070",
                           "  track_list_view 0x4080", "  slider 0x4090", "  text_browser 0x4100", "  text_item 0x4110",
                           "  timer 0x4120", "  plugin_attachment 0x4130", "  wheel_area 0x4140", "track_list 0x1000",
                           "unknown 0x7000"}));
    for (const char* line : {"  file \"Data\\\\f.ttf\"\n", "  extra4 4294967295\n", "  entry 0: text \"Play\", command 0x1001 (play_current), argument 7\n",
                             "  entry 1: text \"q\", index 0\n", "    area [-1, 2, 30, 40]\n", "    key 0x20 (Space)\n",
                             "    slider_id 0x2001\n", "    interval_ms 70000\n", "unknown 0x7000 length 9 at "})
        EXPECT_NE(dump.str().find(line), std::string::npos) << line;
}

TEST(TarnelSkinBuild, ManifestOverridesCraftDamagedFiles)
{
    TempDir dir;
    std::ostringstream out;
    const auto bytes = build(R"(
[root]
length = 12
[[chunk]]
type = "string_mapping"
count = 1
length = 3
entry = [{ text = "a", index = 4 }]
[[chunk]]
type = "button"
id = 0x4011
)",
                             dir, out);
    ByteBuilder expected;
    expected.u16(0x0258).u32(12).u8(0).u16(0).u16(0);
    expected.u16(0x5000).u32(3).u16(1).string("a").u16(4);
    expected.u16(0x4011).u32(26).fill(20, 0);
    EXPECT_EQ(bytes, expected.bytes());
}

struct BadManifest {
    std::string text;
    std::string message;
};

TEST(TarnelSkinBuild, RejectsBadManifestsNamingTheLine)
{
    const std::vector<BadManifest> cases = {
        {"[[chunk]]\ntype = \"pages\"\n", "skin.toml:2:8: unknown chunk type pages"},
        {"[[chunk]]\ntype = \"root\"\n", "unknown chunk type root"},
        {"[[chunk]]\nname = \"p\"\n", "skin.toml:1:1: chunk without type"},
        {"[[chunk]]\ntype = \"page\"\nnam = \"p\"\n", "skin.toml:3:7: unknown key nam for page"},
        {"[[chunk]]\ntype = \"timing\"\nentry = []\n", "unknown key entry for timing"},
        {"[[chunk]]\ntype = \"page\"\nfades = 256\n", "field fades must be an integer from 0 to 255"},
        {"[[chunk]]\ntype = \"timing\"\nglow_step = -1\n", "field glow_step must be an integer from 0 to 65535"},
        {"[[chunk]]\ntype = \"timing\"\nglow_step = \"5\"\n", "field glow_step must be an integer"},
        {"[[chunk]]\ntype = \"lamp\"\narea = [1, 2, 3]\n", "field area must be [left, top, right, bottom]"},
        {"[[chunk]]\ntype = \"lamp\"\narea = [1, 2, 3, 2147483648]\n", "field area must be an integer from -2147483648"},
        {"[[chunk]]\ntype = \"start_page\"\npage = \"a\\u0000b\"\n", "field page cannot hold a 0 byte"},
        {"[[chunk]]\ntype = \"raw\"\n", "raw chunk without id"},
        {"[[chunk]]\ntype = \"raw\"\nid = 1\ndata = \"0g\"\n", "data must be hexadecimal byte pairs"},
        {"[[chunk]]\ntype = \"raw\"\nid = 1\ndata = \"012\"\n", "data must be hexadecimal byte pairs"},
        {"[[chunk]]\ntype = \"page\"\n[[chunk.element]]\ntype = \"page\"\n[[chunk.element.element]]\ntype = \"button\"\n",
         "unknown key element for page"},
        {"[[file]]\nname = \"x\"\n", "a file needs a name and one of path, text or mask_from"},
        {"[[file]]\nname = \"x\"\npath = \"a\"\ntext = \"b\"\n", "a file needs a name and one of path, text or mask_from"},
        {"[[file]]\nname = \"x\"\ntext = 5\n", "skin.toml:3:8: text must be a string"},
        {"[window]\ntitle = \"A\"\n", "skin.toml:1:1: unknown key window"},
        {"[root\n", "skin.toml:1:"},
    };
    for (const auto& item : cases) {
        try {
            parse_manifest(item.text, "skin.toml", ".");
            ADD_FAILURE() << "accepted: " << item.text;
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(item.message), std::string::npos)
                << item.text << "\ngave: " << error.what();
        }
    }
}

TEST(TarnelSkinBuild, ReportsMissingFiles)
{
    TempDir dir;
    std::ostringstream out;
    EXPECT_THROW(build("[[file]]\nname = \"x\"\npath = \"missing.bin\"\n", dir, out), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out" / "tarnel.cfg")) << "nothing is written on an error";
    EXPECT_THROW(build_skin(dir.path() / "none.toml", dir.path() / "out", out), std::runtime_error);
}

class NameCollector : public ConfigVisitor {
public:
    void chunk_accepted(const ChunkRecord& chunk) override
    {
        if (chunk.layout)
            names.insert(std::string(chunk.layout->name));
    }
    std::set<std::string> names;
};

TEST(TarnelSkinBuild, TheDocumentedExamplesMakeOneSkin)
{
    std::ifstream doc(std::filesystem::path(VORLUNDE_TEST_DATA_DIR) / "../../docs/skin-manifest.md");
    ASSERT_TRUE(doc);
    std::string manifest, line;
    bool in_block = false;
    while (std::getline(doc, line)) {
        if (line.starts_with("```"))
            in_block = line == "```toml";
        else if (in_block)
            manifest += line + "\n";
    }
    const ConfigChunk root = parse_manifest(manifest, "skin-manifest.md", ".").config;
    NameCollector collector;
    try {
        walk_config(write_config(root), collector);
        ADD_FAILURE() << "the last example is a raw chunk of length 3";
    } catch (const SkinError& error) {
        EXPECT_STREQ(error.what(), "config file corrupted, bad chunk length");
    }
    std::set<std::string> every;
    for (ChunkLevel level : {ChunkLevel::root, ChunkLevel::top, ChunkLevel::element})
        for (const ChunkLayout& layout : layouts_at(level))
            every.insert(std::string(layout.name));
    EXPECT_EQ(collector.names, every) << "every chunk and element has an example";
}

} // namespace
