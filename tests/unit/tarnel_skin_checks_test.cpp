// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_table.h"
#include "commands.h"
#include "file_bytes.h"
#include "key_names.h"
#include "media/png_writer.h"
#include "media/sndfile_encoder.h"
#include "platform/headless/headless_platform.h"
#include "skin_checks.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace {

// A complete skin of a 100 x 80 window that builds without a warning: intro, day page,
// "empty", one playlist track.
const std::string kSkin = R"([root]
title = "T"
width = 100
height = 80

[[chunk]]
type = "font"
name = "font"
face = "Known Face"

[[chunk]]
type = "string_mapping"
entry = [{ text = "dzien", index = 0 }, { text = "empty", index = 1 }]

[[chunk]]
type = "start_page"
page = "intro"

[[chunk]]
type = "page"
name = "intro"
background = "Data\\intro.bmp"

[[chunk.element]]
type = "timer"
interval_ms = 100
command = "switch_page"
argument = 0

[[chunk]]
type = "page"
name = "dzien"
background = "Data\\dzien.bmp"

[[chunk.element]]
type = "button"
area = [10, 10, 30, 20]
command = "switch_page"
argument = 1

[[chunk.element]]
type = "lamp"
name = "musicrandom"
area = [40, 10, 50, 20]

[[chunk]]
type = "page"
name = "empty"

[[chunk]]
type = "track_list"
kind = 1
[[chunk.entry]]
title = "one"
file = "one.ogg"

[[file]]
name = "Data\\intro.bmp"
path = "art.png"
format = "bmp24"

[[file]]
name = "Data\\dzien.bmp"
path = "art.png"
format = "bmp24"

[[file]]
name = "Data\\panel.rgn"
mask_from = "art.png"
)";

int line_of(const std::string& text, const std::string& needle)
{
    const std::size_t at = text.find(needle);
    EXPECT_NE(at, std::string::npos) << needle;
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
}

// `message` with "TMP/NAME" written as the path of NAME in `folder`, as the system writes it.
std::string in_folder(std::string message, const std::filesystem::path& folder)
{
    const std::size_t at = message.find("TMP/");
    if (at == std::string::npos)
        return message;
    const std::size_t end = std::min(message.find(' ', at), message.size());
    return message.replace(at, end - at, (folder / message.substr(at + 4, end - at - 4)).string());
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); !from.empty() && at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The skin's folder: art of the window's size and of half of it, a playable and a damaged
// Ogg file.
struct SkinFolder {
    TempDir dir;
    SkinFolder()
    {
        write_png(dir.path() / "art.png", std::vector<std::uint32_t>(100 * 80, 0xFF336699u), 100, 80);
        write_png(dir.path() / "small.png", std::vector<std::uint32_t>(50 * 40, 0xFF336699u), 50, 40);
        dir.write("one.ogg", encode_pcm(sine_pcm(440, 4410, 0.5f), EncodedFormat::ogg_vorbis));
        dir.write("bad.ogg", std::vector<std::uint8_t>(300, 0x4F));
    }

    // Builds `text` as skin.toml into the folder itself (where the player would run).
    std::string build(const std::string& text) const
    {
        const auto manifest = dir.write("skin.toml", std::vector<std::uint8_t>(text.begin(), text.end()));
        CheckServices services;
        services.font_families = [](const std::vector<std::filesystem::path>&) {
            return std::vector<std::string>{"Known Face", "Other Face"};
        };
        std::ostringstream out;
        build_skin(manifest, dir.path(), out, services);
        return out.str();
    }
};

std::vector<std::string> warnings_in(const std::string& printed)
{
    std::vector<std::string> lines;
    std::istringstream in(printed);
    for (std::string line; std::getline(in, line);)
        if (line.find(": warning: ") != std::string::npos)
            lines.push_back(line);
    return lines;
}

TEST(TarnelSkinChecks, TheBaseSkinBuildsWithoutWarningsAndChecksOk)
{
    const SkinFolder folder;
    const std::string printed = folder.build(kSkin);
    EXPECT_TRUE(warnings_in(printed).empty()) << printed;
    std::ostringstream out;
    check_skin_folder(folder.dir.path(), [](bool layered) { return std::make_unique<HeadlessPlatform>(layered); }, {}, out);
    EXPECT_EQ(out.str(), "ok: " + folder.dir.path().string() + " loads as the player loads it (3 pages, 0 warnings from skin.toml)\n");
}

TEST(TarnelSkinChecks, EachMistakeIsReportedAtItsLine)
{
    struct Mistake {
        const char* what;
        std::string from, to;   // the mistake, made by replacing every `from`
        std::string at;         // text on the line the warning names, in the mistaken manifest
        std::string message;    // after "skin.toml:LINE: warning: "; TMP is the skin's folder
    };
    const std::string about_page = "[[chunk]]\ntype = \"page\"\nname = \"about\"\n\n[[chunk]]\ntype = \"page\"\nname = \"empty\"";
    const Mistake mistakes[] = {
        {"a page name misspelt in the string mapping", "text = \"dzien\"", "text = \"dzein\"", "text = \"dzein\"",
         "string-mapping entry 0 dzein, used by switch_page at line 27, names no page, so the command does nothing; "
         "did you mean dzien?"},
        {"a button outside the window", "[10, 10, 30, 20]", "[90, 70, 120, 90]", "[90, 70, 120, 90]",
         "page dzien: button area [90, 70, 120, 90] reaches outside the 100 x 80 window"},
        {"a background smaller than the window", "path = \"art.png\"\nformat = \"bmp24\"\n\n[[file]]\nname = \"Data\\\\panel",
         "path = \"small.png\"\nformat = \"bmp24\"\n\n[[file]]\nname = \"Data\\\\panel", "background = \"Data\\\\dzien",
         "page dzien: background Data\\dzien.bmp is 50 x 40, the window 100 x 80: pages are drawn whole from the "
         "top-left corner, so a smaller picture leaves black bands and buttons, lamps and lists take their art from "
         "the wrong places"},
        {"a playlist file that does not exist", "\"one.ogg\"", "\"two.ogg\"", "two.ogg",
         "playlist file two.ogg does not exist: the player, running in the skin's folder, looks for TMP/two.ogg"},
        {"a playlist file that can't be played", "\"one.ogg\"", "\"bad.ogg\"", "bad.ogg",
         "playlist file bad.ogg can't be played: the player opens no stream or module in it"},
        {"a font face that does not exist", "Known Face", "Known Fase", "Known Fase",
         "font face Known Fase is neither installed nor in the skin's font files, so the player draws with another "
         "face; did you mean Known Face?"},
        {"a first page other than intro", "\"intro\"", "\"splash\"", "page = \"splash\"",
         "the first page is splash, not intro: without layered windows the window keeps the intro's built-in "
         "420 x 420 square [90, 45, 510, 465] until a page named intro is left, so Data\\panel.rgn never shapes it; "
         "name the first page intro and go on from it with switch_page"},
        {"a start page misspelt", "page = \"intro\"", "page = \"intr\"", "page = \"intr\"",
         "start page intr names no page, so the player refuses the skin; did you mean intro?"},
        {"a page nobody can reach", "[[chunk]]\ntype = \"page\"\nname = \"empty\"", about_page, "name = \"about\"",
         "page about is never shown: neither start_page nor a switch_page names it"},
        {"a page the player leaves at once", "text = \"empty\"", "text = \"about\"", "name = \"about\"",
         "page about is left at once: on any page but intro and outro the player switches to the playing track's "
         "page (dzien, wieczor, noc)"},
        {"a file stored but never named", "format = \"bmp24\"\n\n[[file]]\nname = \"Data\\\\panel",
         "format = \"bmp24\"\n\n[[file]]\nname = \"Data\\\\spare.txt\"\ntext = \"x\"\n\n[[file]]\nname = \"Data\\\\panel",
         "[[file]]\nname = \"Data\\\\spare", "Data\\spare.txt is stored but nothing in the skin names it"},
        {"a lamp name misspelt", "\"musicrandom\"", "\"musicrandon\"", "musicrandon",
         "page dzien: lamp musicrandon is never lit: the player lights musiclooped, musicrandom and modulelooped; "
         "did you mean musicrandom?"},
        {"a picture missing from the archive", "background = \"Data\\\\dzien.bmp\"", "background = \"Data\\\\dzein.bmp\"",
         "dzein.bmp", "page dzien: background Data\\dzein.bmp is not in the archive, so the player refuses the skin; "
         "did you mean Data\\dzien.bmp?"},
    };
    for (const Mistake& mistake : mistakes) {
        SCOPED_TRACE(mistake.what);
        std::string text = replaced(kSkin, mistake.from, mistake.to);
        if (std::string(mistake.what).find("leaves at once") != std::string::npos)
            text = replaced(text, "[[chunk]]\ntype = \"page\"\nname = \"empty\"", about_page);
        ASSERT_NE(text, kSkin);
        const SkinFolder folder;
        const std::vector<std::string> warnings = warnings_in(folder.build(text));
        const std::string expected = (folder.dir.path() / "skin.toml").string() + ":" +
                                     std::to_string(line_of(text, mistake.at)) + ": warning: " +
                                     in_folder(mistake.message, folder.dir.path());
        EXPECT_NE(std::find(warnings.begin(), warnings.end(), expected), warnings.end())
            << "expected " << expected << "\ngot:\n" << ::testing::PrintToString(warnings);
    }
}

TEST(TarnelSkinChecks, ErrorsNameTheKeyAndSuggestTheName)
{
    struct Mistake {
        std::string from, to, at; // `at`: text on the line the error names
        int column;
        std::string message;      // TMP is the skin's folder
    };
    const Mistake mistakes[] = {
        {"command = \"switch_page\"\nargument = 1", "command = \"switch_pag\"\nargument = 1", "\"switch_pag\"", 11,
         "unknown command switch_pag; did you mean switch_page? (tarnel-skin commands lists them)"},
        {"path = \"art.png\"\nformat = \"bmp24\"\n\n[[file]]\nname = \"Data\\\\dzien",
         "path = \"nope.png\"\nformat = \"bmp24\"\n\n[[file]]\nname = \"Data\\\\dzien", "nope.png", 8,
         "can't open TMP/nope.png"},
        {"kind = 1", "kind = 1\ncont = 1", "cont", 8, "unknown key cont for track_list; did you mean count?"},
        {"type = \"track_list\"", "type = \"track_lists\"", "track_lists", 8,
         "unknown chunk type track_lists; did you mean track_list?"},
    };
    for (const Mistake& mistake : mistakes) {
        const SkinFolder folder;
        const std::string text = replaced(kSkin, mistake.from, mistake.to);
        const std::string expected = (folder.dir.path() / "skin.toml").string() + ":" +
                                     std::to_string(line_of(text, mistake.at)) + ":" +
                                     std::to_string(mistake.column) + ": " +
                                     in_folder(mistake.message, folder.dir.path());
        try {
            folder.build(text);
            ADD_FAILURE() << expected;
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(error.what(), expected);
        }
    }
}

TEST(TarnelSkinChecks, CommandAndKeyNamesBuildAsTheirNumbers)
{
    struct Names {
        std::string element, named, numbered;
    };
    const Names names[] = {
        {"button", "command = \"next_track\"", "command = 0x1003"},
        {"button", "command = \"quit\"", "command = 65535"},
        {"key_binding", "key = \"Space\"", "key = 0x20"},
        {"key_binding", "key = \"F5\"", "key = 0x74"},
        {"key_binding", "key = \"Left\"", "key = 0x25"},
        {"key_binding", "key = \"Z\"", "key = 0x5A"},
        {"wheel_area", "down_command = \"list_scroll_down\"", "down_command = 0x4002"},
    };
    for (const Names& name : names) {
        const auto config_of = [&](const std::string& field) {
            const SkinFolder folder;
            folder.build(kSkin + "\n[[chunk]]\ntype = \"page\"\nname = \"x\"\n[[chunk.element]]\ntype = \"" +
                         name.element + "\"\n" + field + "\n");
            return read_file_bytes(folder.dir.path() / "tarnel.cfg");
        };
        EXPECT_EQ(config_of(name.named), config_of(name.numbered)) << name.named;
    }
}

TEST(TarnelSkinChecks, EveryCommandIdHasAnEntry)
{
    std::size_t named = 0;
    for (std::uint32_t id = 0; id <= 0xFFFF; ++id)
        if (const auto name = command_name(static_cast<std::uint16_t>(id))) {
            ++named;
            EXPECT_EQ(command_by_name(*name), id) << *name;
        }
    EXPECT_EQ(command_table().size(), named);
    for (const KeyName& key : key_names())
        EXPECT_EQ(key_name_of(key.code), key.name) << "two names for one code";
}

} // namespace
