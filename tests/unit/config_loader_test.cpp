// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/config_loader.h"

#include "app/command_queue.h"
#include "app/page_registry.h"
#include "app/shell_state.h"
#include "app/string_mapping.h"
#include "app/tray_icon.h"
#include "archive/data_archive.h"
#include "audio/audio_engine.h"
#include "base/skin_error.h"
#include "image/back_buffer.h"
#include "platform/headless/headless_fonts.h"
#include "platform/headless/headless_platform.h"
#include "skin/font_registry.h"
#include "skin/plugin_host.h"
#include "skin_files.h"
#include "tagged_plugins.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using U = std::uint32_t;

ConfigChunk font_chunk(std::string name, std::string face = "Face")
{
    return make_chunk(ChunkId::font, {{"name", std::move(name)}, {"face", std::move(face)}, {"height", U{12}}});
}

ConfigChunk start_page(std::string name)
{
    return make_chunk(ChunkId::start_page, {{"page", std::move(name)}});
}

ConfigChunk list_view(std::string font, U selection = 0, U line_height = 10)
{
    return make_chunk(ElementId::track_list_view, {{"area", Rect{0, 0, 100, 100}},
                                                   {"selection", selection},
                                                   {"font", std::move(font)},
                                                   {"line_height", line_height}});
}

ConfigChunk playlist(std::vector<std::string> titles)
{
    std::vector<FieldValues> entries;
    for (std::string& title : titles)
        entries.push_back({title, title + ".ogg"});
    return make_chunk(ChunkId::track_list, {{"kind", U{1}}}, std::move(entries));
}

// Everything a configuration fills, with the headless back end.
struct LoaderRig {
    explicit LoaderRig(bool layered_mode = false) : layered(layered_mode)
    {
        platform.libraries().add("a.so", tagged_plugin_library<'a'>());
        platform.libraries().add("b.so", tagged_plugin_library<'b'>());
        plugin_calls().clear();
    }

    void load(const SkinFiles& skin)
    {
        skin.write(dir);
        load_written();
    }

    // Loads the skin files already in `dir`.
    void load_written()
    {
        Tracklists tracklists;
        LoadTargets targets{shell,      archive, pages, platform.clock(), queue, PageLinks{&back_buffer, &audio, &plugins},
                            tracklists, mapping, tray,  fonts,            plugins, layered};
        load_config(dir.path(), targets, warnings);
        audio.use_tracklists(std::move(tracklists));
    }

    std::string error_of(const SkinFiles& skin)
    {
        try {
            load(skin);
        } catch (const SkinError& error) {
            return error.what();
        }
        return "no error";
    }

    Page& page(std::string_view name) const
    {
        Page* found = pages.find_page(name);
        if (!found)
            throw std::runtime_error("no page " + std::string(name));
        return *found;
    }

    TempDir dir;
    HeadlessPlatform platform;
    bool layered;
    ShellState shell;
    DataArchive archive;
    CommandQueue queue;
    BackBuffer back_buffer{600, 510};
    AudioEngine audio{queue, archive};
    StringMapping mapping;
    TrayIcon tray{platform.tray(), shell.tray_tip};
    HeadlessFontSystem font_system;
    PageRegistry pages;
    PluginHost plugins{platform.libraries(), {}};
    FontRegistry fonts{font_system};
    std::vector<std::string> warnings;
};

struct ErrorCase {
    std::string name;
    std::vector<ConfigChunk> chunks;
    std::string message;
};

TEST(ConfigLoader, ReportsTheFirstFaultWithItsMessage)
{
    const std::vector<ErrorCase> cases{
        {"font lookup before the mode check",
         {start_page("p"), make_page("p", {list_view("nofont", 1, 7)})},
         "config file corrupted, can't find font named nofont"},
        {"a font defined after its use",
         {start_page("p"), make_page("p", {list_view("late")}), font_chunk("late")},
         "config file corrupted, can't find font named late"},
        {"plug-in lookup before the mode check",
         {start_page("p"), make_page("p", {make_chunk(ElementId::plugin_attachment, {{"plugin", "x"}, {"mode", U{9}}})})},
         "config file corrupted, can't find plugin named x"},
        {"a plug-in attached before its definition",
         {start_page("p"), make_page("p", {make_chunk(ElementId::plugin_attachment, {{"plugin", "a"}})}),
          make_chunk(ChunkId::plugin, {{"name", "a"}, {"library", "a.so"}})},
         "config file corrupted, can't find plugin named a"},
        {"a known plug-in with a bad mode",
         {make_chunk(ChunkId::plugin, {{"name", "a"}, {"library", "a.so"}}), start_page("p"),
          make_page("p", {make_chunk(ElementId::plugin_attachment, {{"plugin", "a"}, {"mode", U{2}}})})},
         "config file corrupted, unknown plugin mode"},
        {"a library that cannot be loaded",
         {make_chunk(ChunkId::plugin, {{"name", "a"}, {"library", "missing.so"}})},
         "can't load plugin missing.so"},
        {"a start page naming no page", {start_page("nope"), make_page("p")},
         "config file corrupted, can't find page named nope"},
        {"pages without a start page", {make_page("p")}, "config file corrupted, can't find page named "},
        {"the last start page wins", {start_page("p"), make_page("p"), start_page("q")},
         "config file corrupted, can't find page named q"},
        {"a missing page image", {start_page("p"), make_page("p", {}, "Data\\bg.bmp")},
         "can't find file Data\\bg.bmp in datafile"},
        {"a missing font file", {make_chunk(ChunkId::font_file, {{"file", "Data\\f.ttf"}})},
         "can't find file Data\\f.ttf in datafile"},
    };
    for (const ErrorCase& c : cases) {
        LoaderRig rig;
        SkinFiles skin;
        skin.chunks = c.chunks;
        EXPECT_EQ(rig.error_of(skin), c.message) << c.name;
    }
}

TEST(ConfigLoader, AMissingArchiveIsReportedBeforeTheConfigurationIsOpened)
{
    LoaderRig rig;
    rig.dir.write("tarnel.cfg", std::vector<std::uint8_t>{0x59, 0x02, 0, 0, 0, 0}); // a bad first chunk
    Tracklists tracklists;
    LoadTargets targets{rig.shell,  rig.archive, rig.pages, rig.platform.clock(), rig.queue, PageLinks{},
                        tracklists, rig.mapping, rig.tray,  rig.fonts,            rig.plugins, false};
    try {
        load_config(rig.dir.path(), targets, rig.warnings);
        FAIL() << "no error";
    } catch (const SkinError& error) {
        EXPECT_STREQ(error.what(), "can't open data file");
    }
}

TEST(ConfigLoader, SetsTheShellValuesAndKeepsDefaultsForZeroTimings)
{
    LoaderRig rig;
    SkinFiles skin;
    skin.title = "Title";
    skin.width = 320;
    skin.height = 200;
    skin.chunks = {make_chunk(ChunkId::timing, {{"page_switch_ms", U{0}}, {"music_fade_ms", U{700}}, {"glow_step", U{0}}}),
                   make_chunk(ChunkId::timing, {{"page_switch_ms", U{250}}}), start_page("p"), make_page("p")};
    rig.load(skin);
    EXPECT_EQ(rig.shell.window_title, "Title");
    EXPECT_EQ(rig.shell.window_width, 320);
    EXPECT_EQ(rig.shell.window_height, 200);
    EXPECT_EQ(rig.shell.page_switch_ms, 250);
    EXPECT_EQ(rig.shell.fade_ms, 700);
    EXPECT_EQ(rig.shell.glow_step, 5);
    EXPECT_EQ(rig.shell.current_page, "p");
}

TEST(ConfigLoader, AFileCutShortKeepsWhatWasReadAndWarnsOnce)
{
    LoaderRig rig;
    SkinFiles skin;
    skin.chunks = {start_page("p"), make_page("p", {make_chunk(ElementId::button, {{"command", U{0x1001}}})}),
                   make_page("last")};
    skin.write(rig.dir);
    std::vector<std::uint8_t> bytes = skin.config_bytes();
    const std::size_t length = bytes.size();
    bytes.resize(length - 3); // inside the last page's name
    rig.dir.write("tarnel.cfg", bytes);
    rig.load_written();
    EXPECT_EQ(rig.warnings, std::vector<std::string>{"config file shorter than its header says: " +
                                                     std::to_string(length - 3) + " of " + std::to_string(length) +
                                                     " bytes"});
    ASSERT_NE(rig.pages.find_page("p"), nullptr);
    EXPECT_EQ(rig.pages.find_page("p")->buttons().size(), 1u);
    EXPECT_EQ(rig.pages.page_count(), 2u) << "the cut page is kept with what its header gave";
}

TEST(ConfigLoader, AStartPageMayStandBeforeItsPageAndASkinNeedsNoStatusFont)
{
    LoaderRig rig;
    SkinFiles skin;
    skin.chunks = {start_page("late"), make_page("late")};
    rig.load(skin);
    EXPECT_EQ(rig.shell.current_page, "late");
    EXPECT_EQ(rig.fonts.find_font("font"), nullptr);
}

TEST(ConfigLoader, PlaylistTitlesGoToPagesReadBeforeItAndToThePlugins)
{
    LoaderRig rig;
    SkinFiles skin;
    skin.chunks = {font_chunk("f"), start_page("early"), make_page("early", {list_view("f")}),
                   playlist({"one", "two"}), make_page("late", {list_view("f")}),
                   make_chunk(ChunkId::track_list, {{"kind", U{0}}}, {{std::string("jingle"), std::string("Data\\j.ogg")}})};
    rig.load(skin);
    const ListView* early = rig.page("early").list_view();
    ASSERT_NE(early, nullptr);
    ASSERT_EQ(early->line_count(), 2);
    EXPECT_EQ(early->line(0), "two") << "the playlist inserts at the front";
    EXPECT_EQ(early->line(1), "one");
    EXPECT_EQ(rig.page("late").list_view()->line_count(), 0);
    EXPECT_EQ(rig.audio.track_count(), 2);
    EXPECT_EQ(rig.audio.titles().title(0), "two") << "the status line's title of playlist index 0";
    ASSERT_EQ(rig.plugins.context().title_count, 2);
    EXPECT_STREQ(plugin_string_text(&rig.plugins.context().titles[1]), "two");
    EXPECT_NE(rig.audio.find_named_track("jingle"), nullptr);
}

TEST(ConfigLoader, TrayTipAndItemsFontsAndTheStringMapping)
{
    LoaderRig rig;
    SkinFiles skin;
    skin.file("Data\\a.ttf", "font bytes");
    const std::string long_tip(70, 't');
    skin.chunks = {
        make_chunk(ChunkId::tray_menu, {{"tooltip", long_tip}},
                   {{std::string("First"), U{0x1001}, U{0}}, {std::string("Second"), U{0xffff}, U{3}}}),
        make_chunk(ChunkId::font_file, {{"file", "Data\\a.ttf"}}),
        font_chunk("font", std::string(40, 'F')),
        make_chunk(ChunkId::string_mapping, {}, {{std::string("old"), U{0}}}),
        make_chunk(ChunkId::string_mapping, {}, {{std::string("b"), U{1}}, {std::string("a"), U{0}}}),
    };
    rig.load(skin);
    rig.tray.show_in_tray(true);
    EXPECT_EQ(rig.platform.log().back(), "tray show " + std::string(63, 't'));
    ASSERT_EQ(rig.tray.items().size(), 2u);
    EXPECT_EQ(rig.tray.items()[0].text, "Second") << "newest first";
    EXPECT_EQ(rig.tray.items()[0].command.argument, 3);
    ASSERT_EQ(rig.font_system.installed().size(), 1u);
    EXPECT_EQ(rig.font_system.installed()[0].name, "a.ttf");
    ASSERT_EQ(rig.font_system.created().size(), 1u);
    EXPECT_EQ(rig.font_system.created()[0].face, std::string(31, 'F'));
    EXPECT_EQ(rig.mapping.count(), 2);
    EXPECT_EQ(rig.mapping.mapping_get(0), "a");
    EXPECT_EQ(rig.mapping.mapping_get(1), "b");
}

TEST(ConfigLoader, PageSwitchTimersWaitASecondLongerWithoutLayeredMode)
{
    for (const bool layered : {false, true}) {
        LoaderRig rig(layered);
        SkinFiles skin;
        skin.chunks = {start_page("p"),
                       make_page("p", {make_chunk(ElementId::timer, {{"interval_ms", U{500}}, {"command", U{0x8001}}}),
                                       make_chunk(ElementId::timer, {{"interval_ms", U{500}}, {"command", U{0x1001}}})})};
        rig.load(skin);
        Page& page = rig.page("p");
        page.restart_timers(); // at 0 ms; a timer fires once its interval has passed
        const auto fired_at = [&](std::uint64_t now_ms) {
            page.on_timer(now_ms);
            std::vector<std::uint16_t> ids;
            while (const auto command = rig.queue.take())
                ids.push_back(command->id);
            return ids;
        };
        EXPECT_EQ(fired_at(500), std::vector<std::uint16_t>{});
        if (layered) {
            EXPECT_EQ(fired_at(501), (std::vector<std::uint16_t>{0x8001, 0x1001}));
        } else {
            EXPECT_EQ(fired_at(501), (std::vector<std::uint16_t>{0x1001}));
            EXPECT_EQ(fired_at(1500), std::vector<std::uint16_t>{});
            EXPECT_EQ(fired_at(1501), (std::vector<std::uint16_t>{0x8001}));
        }
    }
}

TEST(ConfigLoader, TheLongestPageSwitchTimerDoesNotWrapAround)
{
    LoaderRig rig;
    SkinFiles skin;
    skin.chunks = {start_page("p"), make_page("p", {make_chunk(ElementId::timer, {{"interval_ms", U{0xFFFFFFFF}},
                                                                                  {"command", U{0x8001}}})})};
    rig.load(skin);
    Page& page = rig.page("p");
    page.restart_timers();
    page.on_timer(1000);
    EXPECT_EQ(rig.queue.take(), std::nullopt) << "2^32 - 1 + 1000 ms, not 999 ms";
}

TEST(ConfigLoader, AttachedPluginsDrawLowerLayerFirst)
{
    LoaderRig rig;
    SkinFiles skin;
    skin.chunks = {make_chunk(ChunkId::plugin, {{"name", "a"}, {"library", "a.so"}}),
                   make_chunk(ChunkId::plugin, {{"name", "b"}, {"library", "b.so"}}), start_page("p"),
                   make_page("p", {make_chunk(ElementId::plugin_attachment, {{"plugin", "a"}, {"mode", U{0}}}),
                                   make_chunk(ElementId::plugin_attachment, {{"plugin", "b"}, {"mode", U{1}}})})};
    rig.load(skin);
    rig.page("p").draw_page_faded(100.0f);
    EXPECT_EQ(plugin_calls(), (std::vector<std::string>{"b draw", "a draw"})) << "mode 1 is the lower layer";
}

TEST(ConfigLoader, BuildsEveryElementOnTheLastPage)
{
    LoaderRig rig;
    SkinFiles skin;
    skin.file("Data\\bg.bmp", solid_bmp(600, 510, 0x102030)).file("Data\\knob.bmp", solid_bmp(4, 4, 0xFFFFFF));
    skin.file("Data\\doc.txt", "line");
    skin.chunks = {font_chunk("f"), start_page("p"),
                   make_page("p",
                             {make_chunk(ElementId::button, {{"area", Rect{1, 2, 3, 4}}, {"command", U{0x1001}}}),
                              make_chunk(ElementId::lamp, {{"name", "musiclooped"}, {"area", Rect{5, 6, 7, 8}}}),
                              make_chunk(ElementId::slider, {{"track", Rect{0, 0, 100, 4}}, {"knob", "Data\\knob.bmp"}}),
                              make_chunk(ElementId::text_browser, {{"area", Rect{0, 0, 50, 50}}, {"font", "f"},
                                                                   {"line_height", U{10}}}),
                              make_chunk(ElementId::text_item, {{"title", "Doc"}, {"file", "Data\\doc.txt"}}),
                              list_view("f", 1, 1)},
                             "Data\\bg.bmp")};
    rig.load(skin);
    const Page& page = rig.page("p");
    ASSERT_EQ(page.buttons().size(), 1u);
    EXPECT_EQ(page.buttons()[0].rect(), (Rect{1, 2, 3, 4}));
    ASSERT_EQ(page.lamps().size(), 1u);
    EXPECT_EQ(page.sliders().size(), 1u);
    ASSERT_NE(page.text_browser(), nullptr);
    ASSERT_NE(page.list_view(), nullptr);
    EXPECT_EQ(page.list_view()->mode(), ListViewMode::double_click) << "a non-zero selection byte gives mode 0";
    ASSERT_NE(page.background(), nullptr);
    EXPECT_EQ(page.background()->pixel(0, 0) & 0xFFFFFF, 0x102030u);
}

} // namespace
