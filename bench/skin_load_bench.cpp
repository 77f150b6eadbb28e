// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a large skin the way the player does (headless): n tray menu entries, n string
// mapping entries, n named tracks, one page with n elements of every kind (buttons, keys,
// lamps, the four command lists, sliders, text items, timers, plug-in attachments, wheel
// areas) beside a list view and a text browser, a playlist of n titles and n further pages.
// Run for n from 1,250 to 10,000: the time per n must stay flat (linear loading).
#include "app/player.h"
#include "platform/headless/headless_platform.h"
#include "skin_files.h"
#include "tagged_plugins.h"
#include "temp_dir.h"

#include <benchmark/benchmark.h>

namespace {

using U = std::uint32_t;

SkinFiles large_skin(int n)
{
    SkinFiles skin;
    skin.file("Data\\knob.bmp", solid_bmp(4, 4, 0x808080)).file("Data\\text.txt", std::string_view("a few words"));
    std::vector<FieldValues> tray, mapping, named, playlist;
    std::vector<ConfigChunk> elements;
    const Rect area{0, 0, 100, 100};
    elements.push_back(make_chunk(ElementId::track_list_view, {{"area", area}, {"font", "font"}, {"line_height", U{16}}}));
    elements.push_back(make_chunk(ElementId::text_browser, {{"area", area}, {"font", "font"}, {"line_height", U{16}}}));
    for (int i = 0; i < n; ++i) {
        const std::string name = std::to_string(i);
        tray.push_back({"item " + name, U{0x1001}, U(i % 65536)});
        mapping.push_back({"text " + name, U(i)});
        named.push_back({"track " + name, "Data\\t" + name + ".xm"});
        playlist.push_back({"title " + name, "t" + name + ".ogg"});
        elements.push_back(make_chunk(ElementId::button, {{"area", area}, {"command", U{0x1001}}}));
        elements.push_back(make_chunk(ElementId::key_binding, {{"key", U{0x41}}, {"command", U{0x1001}}}));
        elements.push_back(make_chunk(ElementId::lamp, {{"name", "musiclooped"}, {"area", area}}));
        for (const ElementId list : {ElementId::click_command, ElementId::right_click_command, ElementId::enter_command,
                                     ElementId::leave_command})
            elements.push_back(make_chunk(list, {{"command", U{0x1001}}}));
        elements.push_back(make_chunk(ElementId::slider, {{"track", area}, {"knob", "Data\\knob.bmp"}, {"slider_id", U{0x2001}}}));
        elements.push_back(make_chunk(ElementId::text_item, {{"title", "document " + name}, {"file", "Data\\text.txt"}}));
        elements.push_back(make_chunk(ElementId::timer, {{"interval_ms", U{1000}}, {"command", U{0x1001}}}));
        elements.push_back(make_chunk(ElementId::plugin_attachment, {{"plugin", "a"}}));
        elements.push_back(make_chunk(ElementId::wheel_area, {{"area", area}, {"up_command", U{0x4001}}}));
    }
    skin.chunks = {make_chunk(ChunkId::font, {{"name", "font"}, {"face", "Face"}}),
                   make_chunk(ChunkId::plugin, {{"name", "a"}, {"library", "a.so"}}),
                   make_chunk(ChunkId::tray_menu, {{"tooltip", "bench"}}, std::move(tray)),
                   make_chunk(ChunkId::string_mapping, {}, std::move(mapping)),
                   make_chunk(ChunkId::track_list, {{"kind", U{0}}}, std::move(named)),
                   make_chunk(ChunkId::start_page, {{"page", "p"}}),
                   make_page("p", std::move(elements)),
                   make_chunk(ChunkId::track_list, {{"kind", U{1}}}, std::move(playlist))};
    for (int i = 0; i < n; ++i)
        skin.chunks.push_back(make_page("page " + std::to_string(i)));
    return skin;
}

void load_large_skin(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    TempDir dir;
    large_skin(n).write(dir);
    for (auto _ : state) {
        HeadlessPlatform platform;
        platform.libraries().add("a.so", tagged_plugin_library<'a'>());
        Player player(platform, dir.path());
        player.load_skin();
        benchmark::DoNotOptimize(player.pages().page_count());
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.SetComplexityN(n);
}
BENCHMARK(load_large_skin)->RangeMultiplier(2)->Range(1250, 10000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace
