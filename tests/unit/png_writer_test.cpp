// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/png_writer.h"

#include "base/skin_error.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <png.h>

#include <vector>

namespace {

// Reads a PNG back with libpng as 0xAARRGGBB pixels; empty when libpng rejects it.
std::vector<std::uint32_t> read_png(png_image& image)
{
    image.format = PNG_FORMAT_BGRA;
    std::vector<std::uint32_t> pixels(std::size_t{image.width} * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        pixels.clear();
    return pixels;
}

const std::vector<std::uint32_t> surface{0xFF102030u, 0x12FFFFFFu, 0x00000000u, 0xFFC0B0A0u, 0x80010203u, 0xFF00FF00u};
// The alpha byte is dropped: every pixel reads back opaque.
const std::vector<std::uint32_t> opaque{0xFF102030u, 0xFFFFFFFFu, 0xFF000000u, 0xFFC0B0A0u, 0xFF010203u, 0xFF00FF00u};

TEST(PngWriter, EncodedImageReadsBackOpaque)
{
    const auto png = encode_png(surface, 3, 2);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size()));
    EXPECT_EQ(image.width, 3u);
    EXPECT_EQ(image.height, 2u);
    EXPECT_EQ(image.format & PNG_FORMAT_FLAG_ALPHA, 0u);
    EXPECT_EQ(read_png(image), opaque);
}

TEST(PngWriter, WritesTheFile)
{
    TempDir dir;
    const auto path = dir.path() / "frame.png";
    write_png(path, surface, 2, 3);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.string().c_str()));
    EXPECT_EQ(image.width, 2u);
    EXPECT_EQ(read_png(image), opaque);
}

TEST(PngWriter, UnwritablePathIsReported)
{
    TempDir dir;
    const auto path = dir.path() / "missing" / "frame.png";
    try {
        write_png(path, surface, 3, 2);
        FAIL() << "no error";
    } catch (const SkinError& error) {
        EXPECT_EQ(error.what(), "can't write png file " + path.string());
    }
}

} // namespace
