// SPDX-License-Identifier: GPL-3.0-or-later
// Walking a configuration of 50 pages with 100 elements each (every element kind in turn),
// made in memory with the writer: the cost of reading a large skin before the loader acts.
#include "config/config_walker.h"
#include "skin-writer/config_writer.h"

#include <benchmark/benchmark.h>

namespace {

std::vector<std::uint8_t> large_config()
{
    ConfigChunk root = ConfigChunk::with_defaults(kRootLayout);
    root.values.fields[0] = std::string("bench");
    const auto elements = layouts_at(ChunkLevel::element);
    for (int p = 0; p < 50; ++p) {
        ConfigChunk page = ConfigChunk::with_defaults(layout_of(ChunkId::page));
        page.values.fields[0] = "page" + std::to_string(p);
        page.values.fields[1] = std::string("Data\\background.bmp");
        for (int e = 0; e < 100; ++e) {
            ConfigChunk element = ConfigChunk::with_defaults(elements[static_cast<std::size_t>(e) % elements.size()]);
            for (FieldValue& value : element.values.fields)
                if (auto* text = std::get_if<std::string>(&value))
                    *text = "font";
            page.children.push_back(std::move(element));
        }
        root.children.push_back(std::move(page));
    }
    return write_config(root);
}

class Counter : public ConfigVisitor {
public:
    void chunk_accepted(const ChunkRecord& chunk) override { fields += chunk.values.fields.size(); }
    std::size_t fields = 0;
};

void walk_50_pages_of_100_elements(benchmark::State& state)
{
    const auto bytes = large_config();
    for (auto _ : state) {
        Counter counter;
        walk_config(bytes, counter);
        benchmark::DoNotOptimize(counter.fields);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 50 * 101);
}
BENCHMARK(walk_50_pages_of_100_elements);

} // namespace
