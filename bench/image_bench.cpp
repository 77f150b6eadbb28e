// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-window drawing and decoding: blit and blend of a 600 × 510 bitmap into the back
// buffer beside a plain memcpy of the same bytes, and the JPEG path (decode_jpeg) beside
// libjpeg-turbo's bare decode of the same file into a plain RGB buffer.
#include "image/back_buffer.h"
#include "image/jpeg_decoder.h"
#include "media/jpeg_encoder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int window_width = 600;
constexpr int window_height = 510;
constexpr std::size_t window_pixels = std::size_t{window_width} * window_height;

// A picture with gradients and edges, so the JPEG has real content to decode.
std::vector<std::uint32_t> test_picture()
{
    std::vector<std::uint32_t> pixels(window_pixels);
    for (int y = 0; y < window_height; ++y)
        for (int x = 0; x < window_width; ++x)
            pixels[static_cast<std::size_t>(y * window_width + x)] =
                static_cast<std::uint32_t>((x * 255 / window_width) << 16 | (y * 255 / window_height) << 8 | ((x / 20 + y / 20) % 2) * 200) |
                static_cast<std::uint32_t>((x + y) % 256) << 24;
    return pixels;
}

SkinBitmap window_bitmap() { return {window_width, window_height, test_picture()}; }

void memcpy_window(benchmark::State& state)
{
    const auto source = test_picture();
    std::vector<std::uint32_t> dest(window_pixels);
    for (auto _ : state) {
        std::memcpy(dest.data(), source.data(), window_pixels * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(dest.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * window_pixels * sizeof(std::uint32_t)));
}
BENCHMARK(memcpy_window);

void blit_window(benchmark::State& state)
{
    const auto bitmap = window_bitmap();
    BackBuffer buffer(window_width, window_height);
    for (auto _ : state) {
        buffer.blit(bitmap, 0, 0, window_width, window_height, 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * window_pixels * sizeof(std::uint32_t)));
}
BENCHMARK(blit_window);

// Arguments: alpha format (0 constant alpha, 1 per-pixel alpha as well), constant alpha.
void blend_window(benchmark::State& state)
{
    const auto bitmap = window_bitmap();
    BackBuffer buffer(window_width, window_height);
    const auto format = static_cast<std::uint8_t>(state.range(0));
    const auto alpha = static_cast<float>(state.range(1));
    for (auto _ : state) {
        buffer.blend(bitmap, 0, 0, window_width, window_height, 0, 0, alpha, format);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * window_pixels * sizeof(std::uint32_t)));
}
BENCHMARK(blend_window)->Args({0, 128})->Args({1, 128})->Args({1, 255});

const std::vector<std::uint8_t>& window_jpeg()
{
    static const auto file = encode_jpeg(window_width, window_height, test_picture(), 90);
    return file;
}

void jpeg_decode_bitmap(benchmark::State& state)
{
    const auto& file = window_jpeg();
    for (auto _ : state)
        benchmark::DoNotOptimize(decode_jpeg(file));
}
BENCHMARK(jpeg_decode_bitmap);

// libjpeg-turbo on its own: default RGB output into one preallocated buffer.
void jpeg_decode_bare(benchmark::State& state)
{
    const auto& file = window_jpeg();
    std::vector<std::uint8_t> rgb(window_pixels * 3);
    for (auto _ : state) {
        jpeg_decompress_struct info{};
        jpeg_error_mgr errors{};
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
        jpeg_read_header(&info, TRUE);
        jpeg_start_decompress(&info);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = rgb.data() + std::size_t{info.output_scanline} * info.output_width * 3;
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        benchmark::DoNotOptimize(rgb.data());
    }
}
BENCHMARK(jpeg_decode_bare);

} // namespace
