// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/bmp_decoder.h"

#include "base/skin_error.h"
#include "byte_builder.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t black = 0xFF000000u;

// What goes into a crafted BMP file. Palette entries are 0xRRGGBB.
struct BmpFields {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bit_count = 8;
    std::uint32_t compression = 0;
    std::uint32_t colours_used = 0;
    std::uint32_t header_size = 40;
    std::uint32_t data_offset_field = 0; // 0: where the data really starts
    std::vector<std::uint32_t> palette = {};
    std::vector<std::uint8_t> data = {};
};

std::vector<std::uint8_t> make_bmp(const BmpFields& fields)
{
    const auto data_offset = static_cast<std::uint32_t>(14 + fields.header_size + 4 * fields.palette.size());
    ByteBuilder file;
    file.text("BM").u32(0).u32(0).u32(fields.data_offset_field != 0 ? fields.data_offset_field : data_offset);
    file.u32(fields.header_size).i32(fields.width).i32(fields.height).u16(1).u16(fields.bit_count).u32(fields.compression);
    file.u32(0).i32(0).i32(0).u32(fields.colours_used).u32(0);
    file.fill(fields.header_size - 40, 0xA5); // the extra fields of V4 and V5 headers
    for (const std::uint32_t entry : fields.palette)
        file.u8(static_cast<std::uint8_t>(entry)).u8(static_cast<std::uint8_t>(entry >> 8)).u8(static_cast<std::uint8_t>(entry >> 16)).u8(0);
    file.raw(fields.data);
    file.patch_u32(2, static_cast<std::uint32_t>(file.size()));
    return file.take();
}

std::uint32_t opaque(std::uint32_t rgb) { return black | rgb; }

std::vector<std::uint32_t> pixels_of(const SkinBitmap& bitmap) { return {bitmap.pixels().begin(), bitmap.pixels().end()}; }

void expect_picture(const SkinBitmap& bitmap, int width, int height, const std::vector<std::uint32_t>& top_first)
{
    ASSERT_EQ(bitmap.width(), width);
    ASSERT_EQ(bitmap.height(), height);
    EXPECT_EQ(pixels_of(bitmap), top_first);
}

// Four distinct non-black colours, entry 0 included, so index 0 shows.
const std::vector<std::uint32_t> four_colours{0x102030, 0xA01010, 0x10B010, 0x1010C0};
const std::uint32_t P0 = opaque(0x102030), P1 = opaque(0xA01010), P2 = opaque(0x10B010), P3 = opaque(0x1010C0);

TEST(DecodeBmp, RejectsFilesNotStartingWithBm)
{
    auto valid = make_bmp({.width = 1, .height = 1, .bit_count = 24, .data = {1, 2, 3, 0}});
    ASSERT_NO_THROW(decode_bmp(valid));
    for (const std::string start : {"", "B", "MB", "bm", "BA"}) {
        auto file = valid;
        if (start.size() == 2)
            file[0] = static_cast<std::uint8_t>(start[0]), file[1] = static_cast<std::uint8_t>(start[1]);
        else
            file.assign(start.begin(), start.end());
        try {
            decode_bmp(file);
            ADD_FAILURE() << "accepted a file starting with '" << start << "'";
        } catch (const SkinError& error) {
            EXPECT_STREQ(error.what(), "invalid bmp format");
        }
    }
}

TEST(DecodeBmp, TwentyFourBitRowsArePaddedAndStoredBottomFirst)
{
    // Width 3: 9 bytes a row plus 3 padding bytes, which must not shift the next row.
    const auto file = make_bmp({.width = 3, .height = 2, .bit_count = 24, .data = {
        0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0xEE, 0xEE, 0xEE, // bottom row
        0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0xEE, 0xEE, 0xEE, // top row
    }});
    expect_picture(decode_bmp(file), 3, 2, {opaque(0x131211), opaque(0x161514), opaque(0x191817),
                                             opaque(0x030201), opaque(0x060504), opaque(0x090807)});
}

TEST(DecodeBmp, EightBitWithFullPaletteAndPaddedRows)
{
    std::vector<std::uint32_t> palette(256);
    for (std::uint32_t i = 0; i < 256; ++i)
        palette[i] = i << 16 | (255 - i) << 8 | (i ^ 0x55);
    // Width 5: 5 bytes a row plus 3 padding bytes; colours used 0 means 256 entries.
    const auto file = make_bmp({.width = 5, .height = 2, .palette = palette, .data = {
        0, 1, 2, 3, 4, 0xFF, 0xFF, 0xFF, // bottom row
        255, 128, 7, 254, 9, 0xFF, 0xFF, 0xFF,
    }});
    const auto colour = [&](int i) { return opaque(palette[static_cast<std::size_t>(i)]); };
    expect_picture(decode_bmp(file), 5, 2, {colour(255), colour(128), colour(7), colour(254), colour(9),
                                             colour(0), colour(1), colour(2), colour(3), colour(4)});
}

TEST(DecodeBmp, SixteenColourPaletteAndDataRightAfterItWhateverTheOffsetField)
{
    std::vector<std::uint32_t> palette(16);
    for (std::uint32_t i = 0; i < 16; ++i)
        palette[i] = 0x010101 * (i * 16);
    for (std::uint32_t offset_field : {0u, 54u, 1078u, 4u, 0xFFFFFFFFu}) {
        const auto file = make_bmp({.width = 2, .height = 1, .colours_used = 16, .data_offset_field = offset_field,
                                    .palette = palette, .data = {15, 3, 0, 0}});
        ASSERT_EQ(file.size(), 118u + 4u);
        expect_picture(decode_bmp(file), 2, 1, {opaque(0xF0F0F0), opaque(0x303030)});
    }
}

TEST(DecodeBmp, PaletteFollowsLongerV4AndV5Headers)
{
    for (std::uint32_t header_size : {108u, 124u}) {
        const auto file = make_bmp({.width = 4, .height = 1, .colours_used = 4, .header_size = header_size,
                                    .palette = four_colours, .data = {3, 2, 1, 0}});
        expect_picture(decode_bmp(file), 4, 1, {P3, P2, P1, P0});
    }
}

TEST(DecodeBmp, NegativeHeightMeansTopRowFirst)
{
    const auto file = make_bmp({.width = 1, .height = -2, .bit_count = 24, .data = {1, 2, 3, 0, 4, 5, 6, 0}});
    expect_picture(decode_bmp(file), 1, 2, {opaque(0x030201), opaque(0x060504)});
}

TEST(DecodeBmp, OtherBitCountsAndCompressionsAreBlack)
{
    struct Case {
        std::uint16_t bit_count;
        std::uint32_t compression;
    };
    for (const Case c : {Case{1, 0}, Case{4, 0}, Case{16, 0}, Case{32, 0}, Case{4, 2}, Case{8, 3}, Case{32, 3}, Case{8, 4}, Case{24, 5}}) {
        SCOPED_TRACE("bit count " + std::to_string(c.bit_count) + ", compression " + std::to_string(c.compression));
        const auto file = make_bmp({.width = 3, .height = 2, .bit_count = c.bit_count, .compression = c.compression,
                                    .colours_used = 4, .palette = four_colours, .data = std::vector<std::uint8_t>(64, 0x21)});
        expect_picture(decode_bmp(file), 3, 2, std::vector<std::uint32_t>(6, black));
    }
}

TEST(DecodeBmp, ThirtyTwoBitPaletteSizeIsZero)
{
    // 2^32 in 32-bit arithmetic is 0: no palette, so the data would start at 54.
    const auto file = make_bmp({.width = 1, .height = 1, .bit_count = 32, .data = {1, 2, 3, 4}});
    expect_picture(decode_bmp(file), 1, 1, {black});
}

TEST(DecodeBmp, RunLengthEncodingEscapes)
{
    const auto file = make_bmp({.width = 5, .height = 4, .compression = 1, .colours_used = 4, .palette = four_colours, .data = {
        2, 1, 0, 3, 2, 3, 2, 0, 0, 0,   // row 0: run, odd absolute run with its padding byte, end of line
        0, 4, 3, 2, 1, 3, 1, 2, 0, 0,   // row 1: even absolute run, run, end of line
        0, 2, 1, 1,                     // delta over the rest of row 2 to column 1 of row 3
        2, 3, 0, 1,                     // row 3: run, end of bitmap
        5, 1, 0, 0,                     // after the end: ignored
    }});
    expect_picture(decode_bmp(file), 5, 4, {
        P0, P3, P3, P0, P0, // row 3
        P0, P0, P0, P0, P0, // row 2: skipped by the delta, palette index 0
        P3, P2, P1, P3, P2, // row 1
        P1, P1, P2, P3, P2, // row 0
    });
}

TEST(DecodeBmp, DamagedRunLengthDataStaysInsideThePicture)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> data = {};
        std::vector<std::uint32_t> top_first; // width 3, height 2
    };
    const std::uint32_t B = black;
    const std::vector<Case> cases{
        {"a run past the row end is dropped, not wrapped", {5, 1, 0, 0, 1, 1, 0, 1}, {P1, P0, P0, P1, P1, P1}},
        {"an absolute run past the row end is dropped", {0, 5, 1, 1, 1, 1, 1, 0, 0, 0, 0, 1}, {P0, P0, P0, P1, P1, P1}},
        {"a delta below the last row ends decoding", {0, 2, 0, 5, 3, 1}, {P0, P0, P0, P0, P0, P0}},
        {"a delta past the row end drops the rest of the row", {0, 2, 7, 0, 2, 1, 0, 0, 1, 1}, {P1, P0, P0, P0, P0, P0}},
        {"more lines than the picture has", {0, 0, 0, 0, 0, 0, 1, 1}, {P0, P0, P0, P0, P0, P0}},
        {"no end code", {1, 1}, {P0, P0, P0, P1, P0, P0}},
        {"an absolute run cut short", {0, 5, 1, 1}, {P0, P0, P0, P1, P1, P0}},
        {"a delta cut short", {1, 1, 0, 2, 1}, {P0, P0, P0, P1, P0, P0}},
        {"a lone byte", {1}, {P0, P0, P0, P0, P0, P0}},
        {"an index beyond the palette is black", {1, 9, 1, 3}, {P0, P0, P0, B, P3, P0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto file = make_bmp({.width = 3, .height = 2, .compression = 1, .colours_used = 4, .palette = four_colours, .data = c.data});
        expect_picture(decode_bmp(file), 3, 2, c.top_first);
    }
}

TEST(DecodeBmp, TruncatedFilesGivePartialPictures)
{
    const auto eight_bit = make_bmp({.width = 2, .height = 2, .colours_used = 4, .palette = four_colours, .data = {1, 2, 0, 0, 3, 3, 0, 0}});
    // Cut inside the top (second stored) row: the bottom row decodes, the cut row keeps one pixel.
    expect_picture(decode_bmp(std::span(eight_bit).first(eight_bit.size() - 3)), 2, 2, {P3, black, P1, P2});
    // Cut inside the palette: no pixel data, so every pixel is black.
    expect_picture(decode_bmp(std::span(eight_bit).first(54 + 6)), 2, 2, std::vector<std::uint32_t>(4, black));

    const auto rgb = make_bmp({.width = 2, .height = 1, .bit_count = 24, .data = {1, 2, 3, 4, 5, 6, 0, 0}});
    expect_picture(decode_bmp(std::span(rgb).first(rgb.size() - 4)), 2, 1, {opaque(0x030201), black});

    // A header cut short reads its missing fields as 0: before the width, no picture; after
    // the size fields, a black one.
    for (std::size_t length : {2u, 10u, 20u})
        EXPECT_FALSE(decode_bmp(std::span(rgb).first(length)).has_image()) << length;
    expect_picture(decode_bmp(std::span(rgb).first(53)), 2, 1, {black, black});
}

TEST(DecodeBmp, HugeColoursUsedDoesNotWrapTheDataOffset)
{
    // 54 + 4 × 0x40000000 is 54 in 32-bit arithmetic; the pixel data really lies past the end.
    const auto file = make_bmp({.width = 2, .height = 1, .colours_used = 0x40000000, .palette = four_colours});
    expect_picture(decode_bmp(file), 2, 1, {black, black});
}

TEST(DecodeBmp, UnusableSizesGiveNoPicture)
{
    struct Case {
        std::int32_t width, height;
    };
    for (const Case c : {Case{0, 5}, Case{5, 0}, Case{-3, 2}, Case{70000, 1}, Case{1, 70000}, Case{1, INT_MIN},
                         Case{INT_MIN, 1}, Case{8192, 8192}, Case{65535, 65535}}) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        for (std::uint32_t compression : {0u, 1u, 2u})
            EXPECT_FALSE(decode_bmp(make_bmp({.width = c.width, .height = c.height, .compression = compression})).has_image());
    }
    const auto tall = decode_bmp(make_bmp({.width = 1, .height = -65535, .compression = 1}));
    EXPECT_EQ(tall.height(), 65535) << "the full 16-bit range stays usable";
}

} // namespace
