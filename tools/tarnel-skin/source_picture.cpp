// SPDX-License-Identifier: GPL-3.0-or-later
#include "source_picture.h"

#include "file_bytes.h"
#include "image/bmp_decoder.h"
#include "image/jpeg_decoder.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace {

bool starts_with(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> magic)
{
    return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

RgbaImage from_bitmap(const SkinBitmap& bitmap)
{
    return {bitmap.width(), bitmap.height(), std::vector<std::uint32_t>(bitmap.pixels().begin(), bitmap.pixels().end())};
}

} // namespace

RgbaImage load_source_picture(const std::filesystem::path& path)
{
    constexpr std::array<std::uint8_t, 8> png_magic{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    constexpr std::array<std::uint8_t, 3> jpeg_magic{0xFF, 0xD8, 0xFF};
    constexpr std::array<std::uint8_t, 2> bmp_magic{'B', 'M'};
    const std::vector<std::uint8_t> bytes = read_file_bytes(path);
    std::optional<RgbaImage> picture;
    if (starts_with(bytes, png_magic))
        picture = decode_png(bytes);
    else if (starts_with(bytes, jpeg_magic))
        picture = from_bitmap(decode_jpeg(bytes));
    else if (starts_with(bytes, bmp_magic))
        picture = from_bitmap(decode_bmp(bytes));
    else
        throw std::runtime_error(path.string() + ": not a png, jpeg or bmp picture");
    if (!picture || picture->pixels.empty())
        throw std::runtime_error(path.string() + ": can't decode picture");
    return std::move(*picture);
}
