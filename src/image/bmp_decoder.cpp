// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/bmp_decoder.h"

#include "base/skin_error.h"
#include "base/span_at.h"
#include "image/image_limits.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace {

constexpr std::uint32_t black = 0xFF000000u;
constexpr std::uint64_t file_header_size = 14;
constexpr std::uint64_t info_header_size = 40;

// Little-endian value of `bytes` bytes at `offset`; bytes past the end of the file read as 0.
std::uint32_t read_le(std::span<const std::uint8_t> file, std::uint64_t offset, int bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        const std::uint64_t at = offset + static_cast<std::uint64_t>(i);
        if (at < file.size())
            value |= std::uint32_t{span_at(file, at)} << (8 * i);
    }
    return value;
}

std::uint32_t opaque(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
{
    return black | std::uint32_t{red} << 16 | std::uint32_t{green} << 8 | blue;
}

struct BmpHeader {
    std::int64_t width = 0;
    std::int64_t height = 0; // always positive; see top_down
    bool top_down = false;
    std::uint16_t bit_count = 0;
    std::uint32_t compression = 0;
    std::uint64_t palette_offset = 0;
    std::uint64_t palette_entries = 0;
};

BmpHeader read_header(std::span<const std::uint8_t> file)
{
    BmpHeader header;
    header.width = static_cast<std::int32_t>(read_le(file, 18, 4));
    const std::int64_t height = static_cast<std::int32_t>(read_le(file, 22, 4));
    header.top_down = height < 0;
    header.height = std::abs(height);
    header.bit_count = static_cast<std::uint16_t>(read_le(file, 28, 2));
    header.compression = read_le(file, 30, 4);
    // V4 and V5 headers are longer than 40 bytes; the palette follows the whole header.
    header.palette_offset = file_header_size + std::max<std::uint64_t>(info_header_size, read_le(file, 14, 4));
    const std::uint32_t colours_used = read_le(file, 46, 4);
    if (header.bit_count == 24)
        header.palette_entries = 0;
    else if (colours_used != 0)
        header.palette_entries = colours_used;
    else
        header.palette_entries = header.bit_count < 32 ? std::uint32_t{1} << header.bit_count : 0;
    return header;
}

// Palette indices are bytes, so at most 256 entries matter; missing ones are black.
std::array<std::uint32_t, 256> read_palette(std::span<const std::uint8_t> file, const BmpHeader& header)
{
    std::array<std::uint32_t, 256> palette;
    palette.fill(black);
    const std::uint64_t entries = std::min<std::uint64_t>(header.palette_entries, palette.size());
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint64_t at = header.palette_offset + 4 * i;
        if (at + 3 > file.size())
            break;
        palette[i] = opaque(span_at(file, at), span_at(file, at + 1), span_at(file, at + 2));
    }
    return palette;
}

// The picture under construction: pixels of rows counted as the file stores them.
class Picture {
public:
    Picture(const BmpHeader& header, std::uint32_t fill)
        : width_(header.width), height_(header.height), top_down_(header.top_down),
          pixels_(static_cast<std::size_t>(width_ * height_), fill)
    {
    }

    std::int64_t width() const { return width_; }
    std::int64_t height() const { return height_; }
    // Stored row `row` (0 = the first row in the file) as a row of the picture.
    std::uint32_t* row(std::int64_t row)
    {
        const std::int64_t top_row = top_down_ ? row : height_ - 1 - row;
        return pixels_.data() + top_row * width_;
    }
    SkinBitmap finish()
    {
        return {static_cast<std::uint16_t>(width_), static_cast<std::uint16_t>(height_), std::move(pixels_)};
    }

private:
    std::int64_t width_;
    std::int64_t height_;
    bool top_down_;
    std::vector<std::uint32_t> pixels_;
};

std::uint64_t row_stride(std::int64_t width, int bytes_per_pixel)
{
    return (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bytes_per_pixel) + 3) & ~std::uint64_t{3};
}

void decode_indexed(Picture& picture, std::span<const std::uint8_t> data, const std::array<std::uint32_t, 256>& palette)
{
    const std::uint64_t stride = row_stride(picture.width(), 1);
    for (std::int64_t y = 0; y < picture.height(); ++y) {
        const std::uint64_t start = static_cast<std::uint64_t>(y) * stride;
        if (start >= data.size())
            return;
        const auto count = std::min<std::uint64_t>(static_cast<std::uint64_t>(picture.width()), data.size() - start);
        std::uint32_t* out = picture.row(y);
        for (std::uint64_t x = 0; x < count; ++x)
            out[x] = palette[span_at(data, start + x)];
    }
}

void decode_rgb(Picture& picture, std::span<const std::uint8_t> data)
{
    const std::uint64_t stride = row_stride(picture.width(), 3);
    for (std::int64_t y = 0; y < picture.height(); ++y) {
        const std::uint64_t start = static_cast<std::uint64_t>(y) * stride;
        if (start >= data.size())
            return;
        const auto count = std::min<std::uint64_t>(static_cast<std::uint64_t>(picture.width()), (data.size() - start) / 3);
        std::uint32_t* out = picture.row(y);
        for (std::uint64_t x = 0; x < count; ++x) {
            const std::uint64_t at = start + 3 * x;
            out[x] = opaque(span_at(data, at), span_at(data, at + 1), span_at(data, at + 2));
        }
    }
}

// 8-bit run-length data. The picture starts filled with palette entry 0; writes outside it
// are dropped, and decoding ends at the end code, at the end of the data, or once the
// position has left the picture through its last row.
void decode_run_length(Picture& picture, std::span<const std::uint8_t> data, const std::array<std::uint32_t, 256>& palette)
{
    std::int64_t x = 0;
    std::int64_t y = 0;
    const auto put = [&](std::uint8_t index) {
        if (x < picture.width())
            picture.row(y)[x] = palette[index];
        ++x;
    };
    std::size_t at = 0;
    while (at + 2 <= data.size() && y < picture.height()) {
        const std::uint8_t count = data[at];
        const std::uint8_t value = data[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(value);
        } else if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of bitmap
            return;
        } else if (value == 2) { // delta
            if (at + 2 > data.size())
                return;
            x += data[at];
            y += data[at + 1];
            at += 2;
        } else { // absolute run, padded to an even length
            const std::size_t available = std::min<std::size_t>(value, data.size() - at);
            for (std::size_t i = 0; i < available; ++i)
                put(data[at + i]);
            at += value + (value & 1u);
        }
    }
}

} // namespace

SkinBitmap decode_bmp(std::span<const std::uint8_t> file)
{
    if (file.size() < 2 || file[0] != 'B' || file[1] != 'M')
        throw SkinError("invalid bmp format");

    const BmpHeader header = read_header(file);
    if (!image_size_allowed(header.width, header.height))
        return {};
    const auto palette = read_palette(file, header);
    const std::uint64_t data_offset = std::min<std::uint64_t>(header.palette_offset + 4 * header.palette_entries, file.size());
    const auto data = file.subspan(static_cast<std::size_t>(data_offset));

    if (header.compression == 1) {
        Picture picture(header, palette[0]);
        decode_run_length(picture, data, palette);
        return picture.finish();
    }
    Picture picture(header, black);
    if (header.compression == 0 && header.bit_count == 8)
        decode_indexed(picture, data, palette);
    else if (header.compression == 0 && header.bit_count == 24)
        decode_rgb(picture, data);
    return picture.finish();
}
