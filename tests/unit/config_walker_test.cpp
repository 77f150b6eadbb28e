// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/skin_error.h"
#include "config_bytes.h"
#include "config/config_walker.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {


// A whole file: root titled "T", 600 x 510, the given top-level chunks; root length exact
// unless `root_length` is given.
std::vector<std::uint8_t> config_file(const ByteBuilder& chunks, std::int64_t root_length = -1)
{
    ByteBuilder body;
    body.string("T").u16(600).u16(510).raw(chunks.bytes());
    ByteBuilder file;
    config_chunk(file, 0x0258, body, root_length);
    return file.take();
}

ByteBuilder page_with(const ByteBuilder& elements, std::int64_t length = -1)
{
    ByteBuilder body;
    body.string("p").string("").string("").string("").string("").u8(0).raw(elements.bytes());
    ByteBuilder out;
    config_chunk(out, 0x4000, body, length);
    return out;
}

std::string name_of(const ChunkRecord& record)
{
    return record.layout ? std::string(record.layout->name) : "unknown";
}

// Keeps every record it is handed; optionally runs a hook in chunk_read (a loader's lookup).
class Recorder : public ConfigVisitor {
public:
    void chunk_read(const ChunkRecord& chunk) override
    {
        read.push_back(chunk);
        if (on_read)
            on_read(chunk);
    }
    void chunk_accepted(const ChunkRecord& chunk) override { accepted.push_back(chunk); }

    // "name@offset" of every accepted chunk, for order checks.
    std::vector<std::string> trace() const
    {
        std::vector<std::string> out;
        for (const auto& record : accepted)
            out.push_back(name_of(record) + "@" + std::to_string(record.offset));
        return out;
    }

    std::vector<ChunkRecord> read;
    std::vector<ChunkRecord> accepted;
    std::function<void(const ChunkRecord&)> on_read;
};

Recorder walk(const std::vector<std::uint8_t>& bytes)
{
    Recorder recorder;
    walk_config(bytes, recorder);
    return recorder;
}

std::string error_of(const std::vector<std::uint8_t>& bytes, Recorder& recorder)
{
    try {
        walk_config(bytes, recorder);
    } catch (const SkinError& error) {
        return error.what();
    }
    return "no error";
}

std::string error_of(const std::vector<std::uint8_t>& bytes)
{
    Recorder recorder;
    return error_of(bytes, recorder);
}

const Rect kArea{-3, 20, 50, 40};
ByteBuilder area(ByteBuilder out = {})
{
    out.i32(-3).i32(20).i32(50).i32(40);
    return out;
}

struct ChunkCase {
    std::uint16_t id;
    std::string name;
    ByteBuilder body;
    FieldValues fields;
    std::vector<FieldValues> entries;
};

using S = std::string;
using U = std::uint32_t;

std::vector<ChunkCase> top_level_cases()
{
    std::vector<ChunkCase> cases;
    cases.push_back({0x1000, "track_list", ByteBuilder().u8(1).u16(2).string("one").string("a.mp3").string("two").string("b.ogg"),
                     {U{1}, U{2}}, {{S("one"), S("a.mp3")}, {S("two"), S("b.ogg")}}});
    cases.push_back({0x2000, "tray_menu", ByteBuilder().string("tip").u16(1).string("Play").u16(0x1001).u16(7),
                     {S("tip"), U{1}}, {{S("Play"), U{0x1001}, U{7}}}});
    cases.push_back({0x3010, "font_file", ByteBuilder().string("Data\\f.ttf"), {S("Data\\f.ttf")}, {}});
    cases.push_back({0x3020, "font", ByteBuilder().string("font").string("Tahoma").u8(14).u16(700).u32(1).u32(2).u32(3).u32(0xFFFFFFFF),
                     {S("font"), S("Tahoma"), U{14}, U{700}, U{1}, U{2}, U{3}, U{0xFFFFFFFF}}, {}});
    cases.push_back({0x3030, "start_page", ByteBuilder().string("dzien"), {S("dzien")}, {}});
    cases.push_back({0x3040, "timing", ByteBuilder().u16(0).u16(900).u16(5), {U{0}, U{900}, U{5}}, {}});
    cases.push_back({0x4000, "page", ByteBuilder().string("p").string("bg.bmp").string("pr.bmp").string("hv.bmp").string("x").u8(1),
                     {S("p"), S("bg.bmp"), S("pr.bmp"), S("hv.bmp"), S("x"), U{1}}, {}});
    cases.push_back({0x5000, "string_mapping", ByteBuilder().u16(2).string("noc").u16(1).string("dzien").u16(0),
                     {U{2}}, {{S("noc"), U{1}}, {S("dzien"), U{0}}}});
    cases.push_back({0x6000, "plugin", ByteBuilder().string("vis").string("libvis.so"), {S("vis"), S("libvis.so")}, {}});
    return cases;
}

std::vector<ChunkCase> element_cases()
{
    std::vector<ChunkCase> cases;
    const auto pair = [](std::uint16_t id, const char* name) {
        return ChunkCase{id, name, ByteBuilder().u16(0x8001).u16(4), {U{0x8001}, U{4}}, {}};
    };
    cases.push_back({0x4010, "button", area().u16(0x1001).u16(0), {kArea, U{0x1001}, U{0}}, {}});
    cases.push_back({0x4020, "key_binding", ByteBuilder().u8(0x20).u16(0x1002).u16(1), {U{0x20}, U{0x1002}, U{1}}, {}});
    cases.push_back({0x4030, "lamp", area(ByteBuilder().string("musicrandom")), {S("musicrandom"), kArea}, {}});
    cases.push_back(pair(0x4040, "click_command"));
    cases.push_back(pair(0x4050, "right_click_command"));
    cases.push_back(pair(0x4060, "enter_command"));
    cases.push_back(pair(0x4070, "leave_command"));
    cases.push_back({0x4080, "track_list_view", area().u8(0).string("font").u8(12), {kArea, U{0}, S("font"), U{12}}, {}});
    cases.push_back({0x4090, "slider", area().u8(1).u8(0).string("knob.bmp").u16(0x2001),
                     {kArea, U{1}, U{0}, S("knob.bmp"), U{0x2001}}, {}});
    cases.push_back({0x4100, "text_browser", area().string("font").u8(9), {kArea, S("font"), U{9}}, {}});
    cases.push_back({0x4110, "text_item", ByteBuilder().string("Read me").string("Data\\a.txt"), {S("Read me"), S("Data\\a.txt")}, {}});
    cases.push_back({0x4120, "timer", ByteBuilder().u32(70000).u16(0x8001).u16(2), {U{70000}, U{0x8001}, U{2}}, {}});
    cases.push_back({0x4130, "plugin_attachment", ByteBuilder().string("vis").u8(1), {S("vis"), U{1}}, {}});
    cases.push_back({0x4140, "wheel_area", area().u16(0x3001).u16(1).u16(0x3002).u16(2),
                     {kArea, U{0x3001}, U{1}, U{0x3002}, U{2}}, {}});
    return cases;
}

// A start page chunk read right after a chunk proves the chunk's fields were consumed exactly.
ByteBuilder marker()
{
    ByteBuilder out;
    return config_chunk(out, 0x3030, ByteBuilder().string("after"));
}

TEST(ConfigWalker, ReadsEveryTopLevelChunkFieldByField)
{
    for (auto& item : top_level_cases()) {
        SCOPED_TRACE(item.name);
        ByteBuilder chunks;
        config_chunk(chunks, item.id, item.body).raw(marker().bytes());
        const auto recorder = walk(config_file(chunks));
        ASSERT_EQ(recorder.accepted.size(), 3u);
        const ChunkRecord& record = recorder.accepted[1];
        EXPECT_EQ(name_of(record), item.name);
        EXPECT_EQ(record.level, ChunkLevel::top);
        EXPECT_EQ(record.offset, 12u);
        EXPECT_EQ(record.header.length, 6 + item.body.size());
        EXPECT_EQ(record.values.fields, item.fields);
        EXPECT_EQ(record.values.entries, item.entries);
        EXPECT_EQ(recorder.accepted[2].offset, 12 + 6 + item.body.size());
        EXPECT_EQ(recorder.accepted[2].text("page"), "after");
    }
}

TEST(ConfigWalker, ReadsEveryPageElementFieldByField)
{
    for (auto& item : element_cases()) {
        SCOPED_TRACE(item.name);
        ByteBuilder elements;
        config_chunk(elements, item.id, item.body);
        const ByteBuilder page = page_with(elements);
        ByteBuilder chunks;
        chunks.raw(page.bytes()).raw(marker().bytes());
        const auto recorder = walk(config_file(chunks));
        ASSERT_EQ(recorder.accepted.size(), 4u);
        const ChunkRecord& record = recorder.accepted[2];
        EXPECT_EQ(name_of(record), item.name);
        EXPECT_EQ(record.level, ChunkLevel::element);
        EXPECT_EQ(record.values.fields, item.fields);
        EXPECT_EQ(recorder.accepted[3].level, ChunkLevel::top);
        EXPECT_EQ(recorder.accepted[3].text("page"), "after");
    }
}

TEST(ConfigWalker, WalksTheSmallestCompleteFile)
{
    const auto recorder = walk(smallest_config_bytes());
    EXPECT_EQ(recorder.trace(), (std::vector<std::string>{"root@0", "start_page@12", "page@20", "button@33"}));
    EXPECT_EQ(recorder.accepted[0].text("title"), "A");
    EXPECT_EQ(recorder.accepted[0].number("width"), 600u);
    EXPECT_EQ(recorder.accepted[0].number("height"), 510u);
    EXPECT_EQ(recorder.accepted[3].rect("area"), (Rect{10, 20, 50, 40}));
    EXPECT_EQ(recorder.accepted[3].number("command"), 0x1001u);
    EXPECT_EQ(recorder.read.size(), recorder.accepted.size()) << "every chunk is offered before it is accepted";
}

TEST(ConfigWalker, SkipsUnknownIdsByTheirLengthAtBothLevels)
{
    ByteBuilder elements;
    config_chunk(elements, 0x4011, ByteBuilder().fill(5, 0xAA));                 // unknown anywhere
    config_chunk(elements, 0x3030, ByteBuilder().string("not a start page"));    // top-level id in a page
    config_chunk(elements, 0x4000, ByteBuilder().fill(3, 0));                    // the page id in a page
    config_chunk(elements, 0x4040, ByteBuilder().u16(1).u16(2));
    ByteBuilder chunks;
    config_chunk(chunks, 0x7000, ByteBuilder().fill(10, 0x58));                  // unknown at top level
    config_chunk(chunks, 0x4010, ByteBuilder().fill(2, 0));                      // element id at top level
    chunks.raw(page_with(elements).bytes()).raw(marker().bytes());
    const auto recorder = walk(config_file(chunks));
    EXPECT_EQ(recorder.trace(), (std::vector<std::string>{"root@0", "unknown@12", "unknown@28", "page@36", "unknown@49",
                                                          "unknown@60", "unknown@83", "click_command@92", "start_page@102"}));
    EXPECT_EQ(recorder.accepted[1].header.id, 0x7000);
    EXPECT_EQ(recorder.accepted[1].header.length, 16u);
    EXPECT_EQ(recorder.accepted[2].level, ChunkLevel::top);
    EXPECT_EQ(recorder.accepted[5].level, ChunkLevel::element);
    EXPECT_TRUE(recorder.accepted[5].values.fields.empty());
}

TEST(ConfigWalker, IgnoresTheLengthOfKnownChunks)
{
    ByteBuilder elements;
    config_chunk(elements, 0x4040, ByteBuilder().u16(1).u16(2), 1000);
    config_chunk(elements, 0x4050, ByteBuilder().u16(3).u16(4), 0);
    ByteBuilder chunks;
    config_chunk(chunks, 0x3030, ByteBuilder().string("first"), 3);
    chunks.raw(page_with(elements).bytes());
    config_chunk(chunks, 0x3030, ByteBuilder().string("second"), 0xFFFFFFFF);
    const auto recorder = walk(config_file(chunks));
    EXPECT_EQ(recorder.trace(), (std::vector<std::string>{"root@0", "start_page@12", "page@24", "click_command@37",
                                                          "right_click_command@47", "start_page@57"}));
}

TEST(ConfigWalker, RootAndPageLengthsBoundTheirChildren)
{
    ByteBuilder elements;
    config_chunk(elements, 0x4040, ByteBuilder().u16(1).u16(2));
    config_chunk(elements, 0x4050, ByteBuilder().u16(3).u16(4));
    ByteBuilder chunks;
    // The page's length covers its fields and the first element only: the second element is
    // read at top level, where its id is unknown.
    chunks.raw(page_with(elements, 13 + 10).bytes()).raw(marker().bytes());
    auto recorder = walk(config_file(chunks));
    EXPECT_EQ(recorder.trace(),
              (std::vector<std::string>{"root@0", "page@12", "click_command@25", "unknown@35", "start_page@45"}));
    EXPECT_EQ(recorder.accepted[3].level, ChunkLevel::top);

    // The root ends after the page: the marker behind it is never read.
    recorder = walk(config_file(chunks, 12 + 13 + 20));
    EXPECT_EQ(recorder.trace(), (std::vector<std::string>{"root@0", "page@12", "click_command@25", "unknown@35"}));

    // A root ending right after its fields has nothing but its fields.
    recorder = walk(config_file(chunks, 12));
    EXPECT_EQ(recorder.trace(), (std::vector<std::string>{"root@0"}));

    // A page length below its own fields leaves it without elements; a length below 6 too.
    for (std::int64_t length : {13, 4, 0}) {
        ByteBuilder short_page;
        short_page.raw(page_with(elements, length).bytes());
        recorder = walk(config_file(short_page));
        EXPECT_EQ(recorder.trace(), (std::vector<std::string>{"root@0", "page@12", "unknown@25", "unknown@35"}))
            << "length " << length;
    }
}

TEST(ConfigWalker, StopsAtTheEndOfTheFileKeepingWhatWasRead)
{
    ByteBuilder elements;
    config_chunk(elements, 0x4040, ByteBuilder().u16(1).u16(2));
    ByteBuilder chunks;
    chunks.raw(page_with(elements, 5000).bytes());
    auto recorder = walk(config_file(chunks, 5000));
    EXPECT_EQ(recorder.trace(), (std::vector<std::string>{"root@0", "page@12", "click_command@25"}));

    // A header cut short ends the walk; a chunk whose fields are cut reads zeros and empty text.
    auto cut = config_file(ByteBuilder().u16(0x3030).u32(20).text("abc"), 100);
    recorder = walk(cut);
    ASSERT_EQ(recorder.trace(), (std::vector<std::string>{"root@0", "start_page@12"}));
    EXPECT_EQ(recorder.accepted[1].text("page"), "abc");
    cut = config_file(page_with(ByteBuilder().u16(0x4010).u32(26).i32(7).u8(9)), 100);
    recorder = walk(cut);
    ASSERT_EQ(recorder.trace(), (std::vector<std::string>{"root@0", "page@12", "button@25"}));
    EXPECT_EQ(recorder.accepted[2].rect("area"), (Rect{7, 9, 0, 0}));
    EXPECT_EQ(recorder.accepted[2].number("command"), 0u);
    for (std::size_t keep = 1; keep < 6; ++keep) {
        auto partial = config_file(ByteBuilder().raw(marker().bytes()).u16(0x3030).u32(7).u8('x'), 100);
        partial.resize(12 + marker().size() + keep);
        EXPECT_EQ(walk(partial).trace(), (std::vector<std::string>{"root@0", "start_page@12"})) << keep << " header bytes";
    }

    // Entries that would start at the end of the file are not read.
    recorder = walk(config_file(ByteBuilder().u16(0x1000).u32(6).u8(1).u16(60000).string("t").string("f"), 100));
    ASSERT_EQ(recorder.accepted.size(), 2u);
    EXPECT_EQ(recorder.accepted[1].number("count"), 60000u);
    EXPECT_EQ(recorder.accepted[1].values.entries, (std::vector<FieldValues>{{S("t"), S("f")}}));

    // Even the root may be cut: its fields then read empty.
    recorder = walk(ByteBuilder().u16(0x0258).u32(59).text("Ti").bytes());
    EXPECT_EQ(recorder.trace(), (std::vector<std::string>{"root@0"}));
    EXPECT_EQ(recorder.accepted[0].text("title"), "Ti");
}

TEST(ConfigWalker, RejectsUnknownChunksShorterThanTheirHeader)
{
    for (std::int64_t length : {0, 1, 5}) {
        for (bool in_page : {false, true}) {
            SCOPED_TRACE(std::to_string(length) + (in_page ? " in a page" : " at top level"));
            ByteBuilder bad;
            config_chunk(bad, 0x7777, ByteBuilder(), length);
            Recorder recorder;
            EXPECT_EQ(error_of(config_file(in_page ? page_with(bad) : bad), recorder), "config file corrupted, bad chunk length");
            ASSERT_FALSE(recorder.read.empty());
            EXPECT_EQ(recorder.read.back().header.id, 0x7777) << "the chunk is offered to chunk_read first";
            EXPECT_NE(recorder.accepted.back().header.id, 0x7777);
        }
    }
    ByteBuilder exact;
    config_chunk(exact, 0x7777, ByteBuilder(), 6).raw(marker().bytes());
    EXPECT_EQ(walk(config_file(exact)).trace(), (std::vector<std::string>{"root@0", "unknown@12", "start_page@18"}));
}

struct MessageCase {
    std::string what;
    ByteBuilder chunks;
    std::string message;
};

ByteBuilder one_chunk(std::uint16_t id, const ByteBuilder& body)
{
    ByteBuilder out;
    return config_chunk(out, id, body);
}

ByteBuilder one_element(std::uint16_t id, const ByteBuilder& body) { return page_with(one_chunk(id, body)); }

TEST(ConfigWalker, RaisesTheFormatsMessages)
{
    const std::string ok = "no error";
    std::vector<MessageCase> cases;
    cases.push_back({"tracklist kind 2", one_chunk(0x1000, ByteBuilder().u8(2).u16(1).string("t").string("f")),
                     "config file corrupted, unknown tracklist type"});
    cases.push_back({"tracklist kind 5 count 0", one_chunk(0x1000, ByteBuilder().u8(5).u16(0)), ok});
    cases.push_back({"tracklist kind 1", one_chunk(0x1000, ByteBuilder().u8(1).u16(1).string("t").string("f")), ok});
    cases.push_back({"view 0/12", one_element(0x4080, area().u8(0).string("f").u8(12)), ok});
    cases.push_back({"view 3/1", one_element(0x4080, area().u8(3).string("f").u8(1)), ok});
    cases.push_back({"view 3/12", one_element(0x4080, area().u8(3).string("f").u8(12)),
                     "config file corrupted, unknown playlist mode"});
    cases.push_back({"slider 1/1", one_element(0x4090, area().u8(1).u8(1).string("k").u16(0x2001)), ok});
    cases.push_back({"slider type 2", one_element(0x4090, area().u8(2).u8(0).string("k").u16(0x2001)),
                     "config file corrupted, unknown slider orientation or type"});
    cases.push_back({"slider orientation 2", one_element(0x4090, area().u8(0).u8(2).string("k").u16(0x2001)),
                     "config file corrupted, unknown slider orientation or type"});
    cases.push_back({"plugin mode 1", one_element(0x4130, ByteBuilder().string("v").u8(1)), ok});
    cases.push_back({"plugin mode 2", one_element(0x4130, ByteBuilder().string("v").u8(2)), "config file corrupted, unknown plugin mode"});
    cases.push_back({"mapping index 2 of 3", one_chunk(0x5000, ByteBuilder().u16(3).string("a").u16(2)), ok});
    cases.push_back({"mapping index 3 of 3", one_chunk(0x5000, ByteBuilder().u16(3).string("a").u16(0).string("b").u16(3)),
                     "string mapping index out of range"});
    cases.push_back({"mapping of count 0", one_chunk(0x5000, ByteBuilder().u16(0)), ok});
    for (auto& item : cases) {
        Recorder recorder;
        EXPECT_EQ(error_of(config_file(item.chunks), recorder), item.message) << item.what;
        if (item.message != ok) {
            EXPECT_EQ(recorder.read.size(), recorder.accepted.size() + 1) << item.what << ": a rejected chunk is read, not accepted";
        }
    }
}

TEST(ConfigWalker, RejectsFilesThatAreNoConfiguration)
{
    const std::string message = "config file corrupted, first chunk should be 0x0258";
    Recorder recorder;
    EXPECT_EQ(error_of(ByteBuilder().u16(0x0259).u32(59).string("A").bytes(), recorder), message);
    EXPECT_TRUE(recorder.read.empty()) << "nothing after the root id is read";
    EXPECT_EQ(error_of({}), message);
    EXPECT_EQ(error_of({0x58}), message);

    TempDir dir;
    Recorder unused;
    for (const auto& path : {dir.path() / "tarnel.cfg", dir.path()}) {
        try {
            walk_config_file(path, unused);
            ADD_FAILURE() << "no error for " << path;
        } catch (const SkinError& error) {
            EXPECT_STREQ(error.what(), "can't open config file");
        }
    }
    const auto file = dir.write("tarnel.cfg", config_file(marker()));
    walk_config_file(file, unused);
    EXPECT_EQ(unused.trace(), (std::vector<std::string>{"root@0", "start_page@12"}));
}

TEST(ConfigWalker, LookupsInChunkReadComeBeforeTheModeChecks)
{
    // A loader looks up fonts and plug-ins in chunk_read: its message wins over a bad mode byte
    // of the same element, and nothing of the element reaches chunk_accepted.
    for (auto& [bytes, lookup] : std::vector<std::pair<ByteBuilder, std::string>>{
             {one_element(0x4080, area().u8(3).string("nofont").u8(12)), "font"},
             {one_element(0x4130, ByteBuilder().string("noplugin").u8(7)), "plugin"}}) {
        Recorder recorder;
        recorder.on_read = [](const ChunkRecord& record) {
            if (record.layout == &layout_of(ElementId::track_list_view))
                throw SkinError("config file corrupted, can't find font named " + record.text("font"));
            if (record.layout == &layout_of(ElementId::plugin_attachment))
                throw SkinError("config file corrupted, can't find plugin named " + record.text("plugin"));
        };
        const auto message = error_of(config_file(bytes), recorder);
        EXPECT_EQ(message, lookup == "font" ? "config file corrupted, can't find font named nofont"
                                            : "config file corrupted, can't find plugin named noplugin");
        EXPECT_EQ(recorder.accepted.back().layout->name, "page");
    }
}

TEST(ConfigWalker, ReportsTheFirstFaultInFileOrder)
{
    ByteBuilder chunks;
    chunks.raw(one_element(0x4090, area().u8(9).u8(0).string("k").u16(1)).bytes());
    chunks.raw(one_chunk(0x1000, ByteBuilder().u8(9).u16(1).string("t").string("f")).bytes());
    EXPECT_EQ(error_of(config_file(chunks)), "config file corrupted, unknown slider orientation or type");
    ByteBuilder reversed;
    reversed.raw(one_chunk(0x1000, ByteBuilder().u8(9).u16(1).string("t").string("f")).bytes());
    reversed.raw(one_element(0x4090, area().u8(9).u8(0).string("k").u16(1)).bytes());
    EXPECT_EQ(error_of(config_file(reversed)), "config file corrupted, unknown tracklist type");
}

} // namespace
