// SPDX-License-Identifier: GPL-3.0-or-later
// find_file of the last entry in an archive of 1,000 entries: the worst case of the linear
// walk that every image, mask, font and archived track lookup makes.
#include "archive/data_archive.h"
#include "byte_builder.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void find_last_of_1000(benchmark::State& state)
{
    ByteBuilder image;
    const std::string data(2048, 'x');
    for (int i = 0; i < 1000; ++i)
        archive_entry(image, "Data\\entry" + std::to_string(i) + ".bmp", data);
    DataArchive archive;
    archive.load_image(image.take());
    for (auto _ : state)
        benchmark::DoNotOptimize(archive.find_file("Data\\entry999.bmp"));
}
BENCHMARK(find_last_of_1000);

} // namespace
