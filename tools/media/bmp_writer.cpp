// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/bmp_writer.h"

#include "media/byte_builder.h"

#include <algorithm>
#include <cassert>

namespace {

// File and information headers; `palette` entries follow, then `image_bytes` of pixels.
ByteBuilder headers(int width, int height, std::uint16_t bits, std::uint32_t compression, std::uint32_t palette,
                    std::uint32_t image_bytes)
{
    const std::uint32_t data_offset = 54 + 4 * palette;
    ByteBuilder out;
    out.text("BM").u32(data_offset + image_bytes).u32(0).u32(data_offset);
    out.u32(40).i32(width).i32(height).u16(1).u16(bits).u32(compression).u32(image_bytes);
    out.u32(2835).u32(2835).u32(palette).u32(0); // 72 dpi
    return out;
}

void add_palette(ByteBuilder& out, const IndexedImage& image)
{
    assert(!image.palette.empty() && image.palette.size() <= 256);
    for (const std::uint32_t colour : image.palette)
        out.u8(static_cast<std::uint8_t>(colour)).u8(static_cast<std::uint8_t>(colour >> 8)).u8(static_cast<std::uint8_t>(colour >> 16)).u8(0);
}

std::span<const std::uint8_t> row_of(const IndexedImage& image, int y)
{
    return std::span(image.indices).subspan(static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width),
                                            static_cast<std::size_t>(image.width));
}

std::size_t run_length(std::span<const std::uint8_t> row, std::size_t at)
{
    std::size_t length = 1;
    while (at + length < row.size() && length < 255 && row[at + length] == row[at])
        ++length;
    return length;
}

void encode_rle_row(ByteBuilder& out, std::span<const std::uint8_t> row)
{
    std::size_t at = 0;
    while (at < row.size()) {
        const std::size_t run = run_length(row, at);
        if (run >= 2) {
            out.u8(static_cast<std::uint8_t>(run)).u8(row[at]);
            at += run;
            continue;
        }
        // A literal stretch lasts until the next run of two or more.
        std::size_t end = at + 1;
        while (end < row.size() && end - at < 255 && run_length(row, end) < 2)
            ++end;
        const std::size_t count = end - at;
        if (count < 3) { // literal groups hold at least 3 indices
            for (std::size_t i = at; i < end; ++i)
                out.u8(1).u8(row[i]);
        } else {
            out.u8(0).u8(static_cast<std::uint8_t>(count)).raw(row.subspan(at, count));
            if (count % 2 == 1)
                out.u8(0);
        }
        at = end;
    }
}

} // namespace

std::vector<std::uint8_t> encode_bmp24(std::span<const std::uint32_t> pixels, int width, int height)
{
    assert(pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const auto row_bytes = static_cast<std::uint32_t>((3 * width + 3) / 4 * 4);
    ByteBuilder out = headers(width, height, 24, 0, 0, row_bytes * static_cast<std::uint32_t>(height));
    for (int y = height - 1; y >= 0; --y) {
        for (const std::uint32_t pixel : pixels.subspan(static_cast<std::size_t>(y) * static_cast<std::size_t>(width),
                                                         static_cast<std::size_t>(width)))
            out.u8(static_cast<std::uint8_t>(pixel)).u8(static_cast<std::uint8_t>(pixel >> 8)).u8(static_cast<std::uint8_t>(pixel >> 16));
        out.fill(row_bytes - 3 * static_cast<std::uint32_t>(width), 0);
    }
    return out.take();
}

std::vector<std::uint8_t> encode_bmp8(const IndexedImage& image)
{
    const auto row_bytes = static_cast<std::uint32_t>((image.width + 3) / 4 * 4);
    ByteBuilder out = headers(image.width, image.height, 8, 0, static_cast<std::uint32_t>(image.palette.size()),
                              row_bytes * static_cast<std::uint32_t>(image.height));
    add_palette(out, image);
    for (int y = image.height - 1; y >= 0; --y)
        out.raw(row_of(image, y)).fill(row_bytes - static_cast<std::uint32_t>(image.width), 0);
    return out.take();
}

std::vector<std::uint8_t> encode_rle8(const IndexedImage& image)
{
    ByteBuilder pixels;
    for (int y = image.height - 1; y >= 0; --y) {
        encode_rle_row(pixels, row_of(image, y));
        pixels.u8(0).u8(y == 0 ? 1 : 0);
    }
    if (image.height == 0)
        pixels.u8(0).u8(1);
    ByteBuilder out = headers(image.width, image.height, 8, 1, static_cast<std::uint32_t>(image.palette.size()),
                              static_cast<std::uint32_t>(pixels.size()));
    add_palette(out, image);
    out.raw(pixels.bytes());
    return out.take();
}
