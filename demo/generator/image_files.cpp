// SPDX-License-Identifier: GPL-3.0-or-later
#include "image_files.h"

#include "media/bmp_writer.h"
#include "media/jpeg_encoder.h"

#include <fstream>
#include <stdexcept>

void write_file(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("can't write " + path.string());
}

void write_bmp(const std::filesystem::path& path, const Canvas& canvas)
{
    write_file(path, encode_bmp24(canvas.pixels(), canvas.width(), canvas.height()));
}

std::vector<std::uint32_t> below_white(std::span<const std::uint32_t> pixels)
{
    std::vector<std::uint32_t> out;
    out.reserve(pixels.size());
    for (const std::uint32_t pixel : pixels) {
        std::uint32_t pressed = pixel & 0xFF000000u;
        for (int shift = 0; shift <= 16; shift += 8) {
            std::uint32_t channel = pixel >> shift & 0xFF;
            if (channel > 224)
                channel = 224 + (channel - 224) / 2;
            pressed |= channel << shift;
        }
        out.push_back(pressed);
    }
    return out;
}

void write_jpeg(const std::filesystem::path& path, const Canvas& canvas, int quality)
{
    write_file(path, encode_jpeg(canvas.width(), canvas.height(), below_white(canvas.pixels()), quality));
}

void write_mask(const std::filesystem::path& path, const Coverage& shape)
{
    std::vector<std::uint8_t> mask;
    mask.reserve(static_cast<std::size_t>(layout::window_width * layout::window_height));
    for (int y = 0; y < layout::window_height; ++y) {
        for (int x = 0; x < layout::window_width; ++x)
            mask.push_back(shape(x + 0.5, y + 0.5) >= 0.5 ? 0 : 1);
    }
    write_file(path, mask);
}
