// SPDX-License-Identifier: GPL-3.0-or-later
// The demo skin as the build made it: its manifest is built again through the skin tool's
// library, and the result is walked the way the player reads it. Checks that every element
// kind is in use, that the references resolve (pages, fonts, archive files, playlist files),
// that the masks and pictures match the window, and that the music decodes with the
// player's decoders at the intended lengths.
#include "archive/data_archive.h"
#include "audio/decoder.h"
#include "base/file_kind.h"
#include "commands.h"
#include "composition.h"
#include "config/config_walker.h"
#include "demo_tracks.h"
#include "image/bmp_decoder.h"
#include "image/image_loader.h"
#include "layout.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>

namespace {

const std::filesystem::path skin_dir = DEMO_SKIN_DIR;

struct Element {
    std::uint16_t id;
    ChunkValues values;
    const ChunkLayout* layout;

    bool has(std::string_view field) const
    {
        return std::ranges::any_of(layout->fields, [&](const FieldLayout& f) { return f.name == field; });
    }
    std::uint32_t number(std::string_view field) const { return values.number(field_index(layout->fields, field)); }
    const Rect& rect(std::string_view field) const { return values.rect(field_index(layout->fields, field)); }
    const std::string& text(std::string_view field) const { return values.text(field_index(layout->fields, field)); }
};

struct PageRecord {
    std::string name, background, pressed, hover;
    std::vector<Element> elements;

    std::vector<const Element*> of(ElementId id) const
    {
        std::vector<const Element*> found;
        for (const Element& element : elements) {
            if (element.id == static_cast<std::uint16_t>(id))
                found.push_back(&element);
        }
        return found;
    }
};

// What the walk saw: top-level chunk ids, pages with their elements, tracklists, mapping.
struct SkinRecord : ConfigVisitor {
    std::multiset<std::uint16_t> top_level;
    std::vector<PageRecord> pages;
    std::vector<std::pair<std::string, std::string>> named_tracks, playlist;
    std::map<std::uint16_t, std::string> mapping;
    std::string start_page;

    void chunk_accepted(const ChunkRecord& chunk) override
    {
        if (chunk.level == ChunkLevel::element) {
            pages.back().elements.push_back({chunk.header.id, chunk.values, chunk.layout});
            return;
        }
        if (chunk.level != ChunkLevel::top)
            return;
        top_level.insert(chunk.header.id);
        switch (static_cast<ChunkId>(chunk.header.id)) {
        case ChunkId::page:
            pages.push_back({chunk.text("name"), chunk.text("background"), chunk.text("pressed"), chunk.text("hover"), {}});
            break;
        case ChunkId::track_list:
            for (const FieldValues& entry : chunk.values.entries)
                (chunk.number("kind") == 0 ? named_tracks : playlist).emplace_back(std::get<std::string>(entry[0]), std::get<std::string>(entry[1]));
            break;
        case ChunkId::string_mapping:
            for (const FieldValues& entry : chunk.values.entries)
                mapping[static_cast<std::uint16_t>(std::get<std::uint32_t>(entry[1]))] = std::get<std::string>(entry[0]);
            break;
        case ChunkId::start_page:
            start_page = chunk.text("page");
            break;
        default:
            break;
        }
    }

    const PageRecord* page(std::string_view name) const
    {
        const auto found = std::find_if(pages.begin(), pages.end(), [&](const PageRecord& p) { return p.name == name; });
        return found == pages.end() ? nullptr : &*found;
    }
};

class DemoSkin : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        built = new TempDir;
        std::ostringstream log;
        build_skin(std::filesystem::path(DEMO_ASSETS_DIR) / "skin.toml", built->path(), log);
        archive = new DataArchive;
        archive->open_archive(built->path() / "tarnel.dat");
        skin = new SkinRecord;
        walk_config_file(built->path() / "tarnel.cfg", *skin);
    }
    static void TearDownTestSuite()
    {
        delete skin;
        delete archive;
        delete built;
    }

    static std::span<const std::uint8_t> mask(std::string_view name) { return archive->find_file(name).bytes; }

    static bool inside_panel(int x, int y)
    {
        return mask("Data\\panel.rgn")[static_cast<std::size_t>(y * layout::window_width + x)] == 0;
    }

    static TempDir* built;
    static DataArchive* archive;
    static SkinRecord* skin;
};

TempDir* DemoSkin::built = nullptr;
DataArchive* DemoSkin::archive = nullptr;
SkinRecord* DemoSkin::skin = nullptr;

constexpr const char* panel_pages[] = {"dzien", "wieczor", "noc"};

TEST_F(DemoSkin, UsesEveryChunkAndElementKind)
{
    for (const ChunkId id : {ChunkId::track_list, ChunkId::tray_menu, ChunkId::font_file, ChunkId::font, ChunkId::start_page,
                             ChunkId::timing, ChunkId::page, ChunkId::string_mapping, ChunkId::plugin})
        EXPECT_TRUE(skin->top_level.contains(static_cast<std::uint16_t>(id))) << static_cast<int>(id);
    std::set<std::uint16_t> elements;
    for (const PageRecord& page : skin->pages) {
        for (const Element& element : page.elements)
            elements.insert(element.id);
    }
    for (std::uint16_t id = 0x4010; id <= 0x4140; id = static_cast<std::uint16_t>(id == 0x4090 ? 0x4100 : id + 0x10))
        EXPECT_TRUE(elements.contains(id)) << std::hex << id;
}

TEST_F(DemoSkin, PanelPagesCarryTheFullControlSet)
{
    for (const char* name : panel_pages) {
        SCOPED_TRACE(name);
        const PageRecord* page = skin->page(name);
        ASSERT_NE(page, nullptr);
        std::set<std::uint32_t> commands, keys, sliders;
        std::set<std::string> lamps;
        for (const Element* button : page->of(ElementId::button))
            commands.insert(button->number("command"));
        for (const Element* key : page->of(ElementId::key_binding))
            keys.insert(key->number("key"));
        for (const Element* slider : page->of(ElementId::slider))
            sliders.insert(slider->number("slider_id"));
        for (const Element* lamp : page->of(ElementId::lamp))
            lamps.insert(lamp->text("name"));
        for (const std::uint32_t command : {0x1001, 0x1002, 0x1003, 0x1004, 0x1005, 0x1006, 0x1007, 0x1008, 0x1009, 0x8001, 0xfffd, 0xfffe})
            EXPECT_TRUE(commands.contains(command)) << std::hex << command;
        EXPECT_EQ(keys, (std::set<std::uint32_t>{0x08, 0x0D, 0x1B, 0x20, 0x21, 0x22, 0x25, 0x26, 0x27, 0x28, 0x52, 0x53, 0x5A}));
        EXPECT_EQ(sliders, (std::set<std::uint32_t>{0x2001, 0x2002, 0x2003}));
        EXPECT_EQ(lamps, (std::set<std::string>{"musiclooped", "musicrandom", "modulelooped"}));
        ASSERT_EQ(page->of(ElementId::track_list_view).size(), 1u);
        EXPECT_EQ(page->of(ElementId::track_list_view)[0]->number("selection"), 0u);
        EXPECT_EQ(page->of(ElementId::text_item).size(), 3u);
    }
}

// Every page switch, the start page and the jingle name something that exists.
TEST_F(DemoSkin, ReferencesResolve)
{
    EXPECT_NE(skin->page(skin->start_page), nullptr);
    for (const char* name : {"intro", "dzien", "wieczor", "noc", "outro", "empty"})
        EXPECT_NE(skin->page(name), nullptr) << name;
    for (const PageRecord& page : skin->pages) {
        for (const Element& element : page.elements) {
            if (!element.has("command"))
                continue;
            if (element.number("command") == 0x8001) {
                const std::string& target = skin->mapping.at(static_cast<std::uint16_t>(element.number("argument")));
                EXPECT_NE(skin->page(target), nullptr) << page.name << " switches to " << target;
            }
            if (element.number("command") == 0x1013) {
                const std::string& track = skin->mapping.at(static_cast<std::uint16_t>(element.number("argument")));
                EXPECT_TRUE(std::ranges::any_of(skin->named_tracks, [&](const auto& named) { return named.first == track; })) << track;
            }
        }
    }
    for (const auto& [title, file] : skin->named_tracks)
        EXPECT_NO_THROW(archive->find_file(file)) << file;
}

TEST_F(DemoSkin, MasksMatchTheWindowAndTheArt)
{
    for (const char* name : {"Data\\panel.rgn", "Data\\intro.rgn", "Data\\outro.rgn"})
        EXPECT_EQ(mask(name).size(), std::size_t{layout::window_width * layout::window_height}) << name;
    EXPECT_FALSE(inside_panel(0, 0));
    EXPECT_TRUE(inside_panel(300, 8));
    const auto intro = mask("Data\\intro.rgn");
    const auto intro_inside = [&](int x, int y) { return intro[static_cast<std::size_t>(y * layout::window_width + x)] == 0; };
    EXPECT_FALSE(intro_inside(89, 255));
    EXPECT_TRUE(intro_inside(91, 255));
    EXPECT_FALSE(intro_inside(90, 45)); // the rounded corner
    EXPECT_FALSE(intro_inside(300, 465));
}

// Buttons, lamps, sliders, lists and wheel areas lie wholly inside the window's shape.
TEST_F(DemoSkin, ControlsLieInsideThePanel)
{
    for (const char* name : panel_pages) {
        for (const Element& element : skin->page(name)->elements) {
            const auto& fields = element.layout->fields;
            const auto rect_field = std::find_if(fields.begin(), fields.end(), [](const FieldLayout& f) { return f.type == FieldType::rect; });
            if (rect_field == fields.end())
                continue;
            const Rect& r = element.rect(rect_field->name);
            for (const auto& [x, y] : {std::pair{r.left, r.top}, {r.right - 1, r.top}, {r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}})
                EXPECT_TRUE(inside_panel(x, y)) << name << " element 0x" << std::hex << element.id << " at " << std::dec << x << "," << y;
        }
    }
}

TEST_F(DemoSkin, PicturesDecodeAtTheirSizes)
{
    for (const PageRecord& page : skin->pages) {
        if (page.background.empty())
            continue;
        for (const std::string& name : {page.background, page.pressed, page.hover}) {
            if (name.empty())
                continue;
            const SkinBitmap picture = load_image(*archive, name, true);
            ASSERT_EQ(picture.width(), layout::window_width) << name;
            ASSERT_EQ(picture.height(), layout::window_height) << name;
            // A layered window shows white as a hole: only the masked-off pixels may be white.
            const auto shape = mask(name[5] == 'i' ? "Data\\intro.rgn" : name[5] == 'o' ? "Data\\outro.rgn" : "Data\\panel.rgn");
            std::size_t holes = 0;
            for (std::size_t i = 0; i < shape.size(); ++i)
                holes += shape[i] == 0 && (picture.pixels()[i] & 0xFFFFFF) == 0xFFFFFF ? 1 : 0;
            EXPECT_EQ(holes, 0u) << name;
        }
        for (const Element* slider : page.of(ElementId::slider)) {
            const std::string& knob = slider->text("knob");
            ASSERT_EQ(file_kind_of(knob), FileKind::bmp);
            const SkinBitmap bitmap = decode_bmp(archive->find_file(knob).bytes);
            const Rect& track = slider->rect("track");
            const bool horizontal = slider->number("orientation") == 0;
            EXPECT_LT(horizontal ? bitmap.width() : bitmap.height(), horizontal ? track.right - track.left : track.bottom - track.top) << knob;
            EXPECT_EQ(horizontal ? bitmap.height() : bitmap.width(), horizontal ? track.bottom - track.top : track.right - track.left) << knob;
        }
    }
}

// Decodes a whole track; returns its seconds and its peak level.
std::pair<double, float> measure(TrackKind kind, const TrackSource& source)
{
    const std::unique_ptr<Decoder> decoder = open_decoder(kind, source);
    if (!decoder)
        return {0.0, 0.0f};
    std::vector<float> block(2 * 4096);
    std::size_t frames = 0;
    float peak = 0.0f;
    while (const std::size_t got = decoder->read(block)) {
        frames += got;
        for (std::size_t i = 0; i < 2 * got; ++i)
            peak = std::max(peak, std::abs(block[i]));
    }
    return {static_cast<double>(frames) / 44100.0, peak};
}

TEST_F(DemoSkin, PlaylistMusicDecodesAtItsLength)
{
    ASSERT_EQ(skin->playlist.size(), 17u);
    std::map<std::string, int> extensions;
    int looping = 0;
    for (const auto& [title, file] : skin->playlist) {
        SCOPED_TRACE(file);
        const TrackEntry entry = make_track_entry(file, false);
        const auto [seconds, peak] = measure(entry.kind, skin_dir / file);
        EXPECT_GE(seconds, 20.0);
        EXPECT_LE(seconds, 40.0);
        EXPECT_GT(peak, 0.1f);
        EXPECT_LE(peak, 1.0f);
        ++extensions[file.substr(file.rfind('.'))];
        looping += file.find("loop") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(looping, 1);
    EXPECT_GE(extensions[".xm"], 1);
    EXPECT_GE(extensions[".ogg"], 1);
    EXPECT_GE(extensions[".mp3"], 1);
}

TEST_F(DemoSkin, JingleDecodesFromTheArchive)
{
    ASSERT_FALSE(skin->named_tracks.empty());
    for (const auto& [title, file] : skin->named_tracks) {
        const auto [seconds, peak] = measure(make_track_entry(file, true).kind, archive->find_file(file));
        EXPECT_GT(seconds, 3.0) << title;
        EXPECT_GT(peak, 0.1f) << title;
    }
}

// A voice is one tracker channel: two notes starting on one step would lose one of them,
// and pitches must stay in the tracker's eight octaves.
TEST(DemoMusic, CompositionsFitTheirVoicesAndTheTracker)
{
    std::vector<DemoTrack> tracks = playlist_tracks();
    for (DemoTrack& named : named_tracks())
        tracks.push_back(std::move(named));
    for (const DemoTrack& track : tracks) {
        SCOPED_TRACE(track.title);
        const Composition piece = compose(track.style);
        std::set<std::pair<int, int>> starts;
        for (const NoteEvent& note : piece.notes) {
            EXPECT_TRUE(starts.insert({note.voice, note.step}).second) << "voice " << note.voice << " step " << note.step;
            EXPECT_LT(note.step, piece.steps);
            EXPECT_GE(note.pitch, 12);
            EXPECT_LE(note.pitch, 107);
            ASSERT_LT(static_cast<std::size_t>(note.voice), piece.voices.size());
        }
    }
}

} // namespace
