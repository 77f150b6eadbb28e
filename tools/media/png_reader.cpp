// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/png_reader.h"

#include "image/image_limits.h"

#include <png.h>

std::optional<RgbaImage> decode_png(std::span<const std::uint8_t> file)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size()))
        return std::nullopt;
    if (!image_size_allowed(image.width, image.height)) {
        png_image_free(&image);
        return std::nullopt;
    }
    image.format = PNG_FORMAT_BGRA; // little-endian 0xAARRGGBB
    RgbaImage out{static_cast<int>(image.width), static_cast<int>(image.height),
                  std::vector<std::uint32_t>(std::size_t{image.width} * image.height)};
    if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr))
        return std::nullopt;
    return out;
}
