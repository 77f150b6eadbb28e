// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/png_writer.h"

#include "base/skin_error.h"

#include <cassert>
#include <fstream>

#include <png.h>

std::vector<std::uint8_t> encode_png(std::span<const std::uint32_t> pixels, int width, int height, PngAlpha alpha)
{
    assert(width > 0 && height > 0 && pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::vector<std::uint8_t> rgb;
    rgb.reserve(pixels.size() * 4);
    for (const std::uint32_t pixel : pixels) {
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
        rgb.push_back(static_cast<std::uint8_t>(pixel));
        if (alpha == PngAlpha::keep)
            rgb.push_back(static_cast<std::uint8_t>(pixel >> 24));
    }

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = alpha == PngAlpha::keep ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr))
        throw SkinError("can't encode png image");
    std::vector<std::uint8_t> png(size);
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, rgb.data(), 0, nullptr))
        throw SkinError("can't encode png image");
    png.resize(size);
    return png;
}

void write_png(const std::filesystem::path& path, std::span<const std::uint32_t> pixels, int width, int height,
               PngAlpha alpha)
{
    const auto png = encode_png(pixels, width, height, alpha);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    out.close();
    if (!out)
        throw SkinError("can't write png file " + path.string());
}
