// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/image_loader.h"

#include "base/skin_error.h"
#include "byte_builder.h"
#include "image/shape_mask.h"
#include "media/jpeg_encoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::uint32_t white = 0xFFFFFFFFu;
constexpr std::uint32_t dark = 0x203040u;

std::vector<std::uint8_t> flat_jpeg(int width, int height)
{
    return encode_jpeg(width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width * height), dark), 100);
}

// A mask with only the given (x, y) bytes set, 600 bytes a row.
std::vector<std::uint8_t> mask_marking(std::initializer_list<std::pair<int, int>> points, std::size_t size = 600 * 510)
{
    std::vector<std::uint8_t> mask(size, 0);
    for (const auto& [x, y] : points)
        mask.at(static_cast<std::size_t>(y * 600 + x)) = 1;
    return mask;
}

ByteBuilder& add_entry(ByteBuilder& archive, std::string_view name, std::span<const std::uint8_t> data)
{
    return archive.string(name).u32(static_cast<std::uint32_t>(data.size())).raw(data);
}

DataArchive archive_of(ByteBuilder& image)
{
    DataArchive archive;
    archive.load_image(image.take());
    return archive;
}

std::vector<std::pair<int, int>> white_pixels(const SkinBitmap& bitmap)
{
    std::vector<std::pair<int, int>> found;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            if (bitmap.pixel(x, y) == white)
                found.emplace_back(x, y);
    return found;
}

std::string error_of(const DataArchive& archive, std::string_view name, bool layered)
{
    try {
        load_image(archive, name, layered);
    } catch (const SkinError& error) {
        return error.what();
    }
    return "no error";
}

// Each mask whitens its own pixel, so the result tells which mask was applied.
ByteBuilder archive_with_masks()
{
    ByteBuilder image;
    add_entry(image, "Data\\panel.rgn", mask_marking({{1, 1}}));
    add_entry(image, "Data\\intro.rgn", mask_marking({{2, 2}}));
    add_entry(image, "Data\\outro.rgn", mask_marking({{3, 3}}));
    return image;
}

TEST(LoadImage, JpegMaskChosenByTheCharacterAfterTheFolderOnlyWhenLayered)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> masked;
    };
    const std::vector<Case> cases{
        {"Data\\day.jpg", {{1, 1}}},   {"Data\\night.jpg", {{1, 1}}}, {"Data\\wall.jpg", {{1, 1}}},
        {"Data\\intro1.jpg", {{2, 2}}}, {"Data\\outro.jpg", {{3, 3}}}, {"Data\\back.jpg", {}},
        {"Data\\Day.jpg", {}},         {"a.jpg", {}},                  {"Data\\.jpg", {}},
    };
    auto image = archive_with_masks();
    const auto jpeg = flat_jpeg(600, 510);
    for (const auto& c : cases)
        add_entry(image, c.name, jpeg);
    const auto archive = archive_of(image);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto layered = load_image(archive, c.name, true);
        ASSERT_EQ(layered.width(), 600);
        ASSERT_EQ(layered.height(), 510);
        EXPECT_EQ(white_pixels(layered), c.masked);
        EXPECT_TRUE(white_pixels(load_image(archive, c.name, false)).empty());
    }
}

TEST(LoadImage, MaskIsClippedToASmallerJpeg)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> mask;
        std::vector<std::pair<int, int>> masked;
    };
    const std::vector<Case> cases{
        {"inside", mask_marking({{5, 5}, {19, 7}}), {{5, 5}, {19, 7}}},
        {"outside the image", mask_marking({{20, 0}, {0, 8}, {599, 509}}), {}},
        {"rows are 600 bytes whatever the image width", mask_marking({{0, 1}}), {{0, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ByteBuilder image;
        add_entry(image, "Data\\panel.rgn", c.mask);
        add_entry(image, "Data\\wide.jpg", flat_jpeg(20, 8));
        const auto bitmap = load_image(archive_of(image), "Data\\wide.jpg", true);
        ASSERT_EQ(bitmap.width(), 20);
        EXPECT_EQ(white_pixels(bitmap), c.masked);
    }
}

TEST(LoadImage, ShortMaskIsReadOnlyAsFarAsItGoes)
{
    ByteBuilder image;
    add_entry(image, "Data\\panel.rgn", std::vector<std::uint8_t>(700, 1));
    add_entry(image, "Data\\day.jpg", flat_jpeg(600, 510));
    const auto bitmap = load_image(archive_of(image), "Data\\day.jpg", true);
    const auto masked = white_pixels(bitmap);
    ASSERT_EQ(masked.size(), 700u);
    EXPECT_EQ(masked.back(), (std::pair{99, 1}));
}

TEST(LoadImage, MissingEntriesRaiseTheArchiveMessage)
{
    ByteBuilder image;
    add_entry(image, "Data\\day.jpg", flat_jpeg(8, 8));
    add_entry(image, "Data\\broken.jpg", std::vector<std::uint8_t>(50, 7));
    const auto archive = archive_of(image);
    EXPECT_EQ(error_of(archive, "Data\\day.jpg", true), "can't find file Data\\panel.rgn in datafile");
    EXPECT_EQ(error_of(archive, "Data\\day.jpg", false), "no error");
    EXPECT_EQ(error_of(archive, "Data\\broken.jpg", true), "no error") << "a JPEG that fails is not masked";
    EXPECT_FALSE(load_image(archive, "Data\\broken.jpg", true).has_image());
    EXPECT_EQ(error_of(archive, "Data\\gone.jpg", false), "can't find file Data\\gone.jpg in datafile");
    EXPECT_EQ(error_of(archive, "Data\\gone.bmp", false), "can't find file Data\\gone.bmp in datafile");
}

TEST(LoadImage, BmpIsDecodedAndNeverMasked)
{
    ByteBuilder bmp;
    bmp.text("BM").u32(58).u32(0).u32(54).u32(40).i32(1).i32(1).u16(1).u16(24).u32(0).fill(20, 0).u8(0x30).u8(0x20).u8(0x10).u8(0);
    auto image = archive_with_masks();
    add_entry(image, "Data\\wall.bmp", bmp.bytes());
    add_entry(image, "Data\\text.bmp", std::vector<std::uint8_t>{'M', 'B', 0, 0});
    const auto archive = archive_of(image);
    const auto bitmap = load_image(archive, "Data\\wall.bmp", true);
    ASSERT_EQ(bitmap.width(), 1);
    EXPECT_EQ(bitmap.pixel(0, 0), 0xFF102030u);
    EXPECT_EQ(error_of(archive, "Data\\text.bmp", true), "invalid bmp format");
}

TEST(LoadImage, OtherNamesLoadNothingWithoutLookingThemUp)
{
    ByteBuilder image;
    add_entry(image, "Data\\wall.Jpg", flat_jpeg(8, 8));
    const auto archive = archive_of(image);
    for (const char* name : {"Data\\wall.Jpg", "Data\\song.mp3", "Data\\wall", "Data\\wall.png"})
        EXPECT_FALSE(load_image(archive, name, true).has_image()) << name;
}

TEST(ImageLoader, ArtAtTwiceTheSizeIsCutByTheMasksTwiceSizeFileOrTheMaskDoubled)
{
    // A 4 x 3 picture whose mask cuts (1, 1); the mask at twice the size cuts (0, 0) alone.
    const struct {
        const char* what;
        bool layered;
        bool twice_mask;
        std::vector<std::pair<int, int>> white;
    } cases[] = {
        {"the mask's own file at twice the size", true, true, {{0, 0}}},
        {"the mask doubled", true, false, {{2, 2}, {3, 2}, {2, 3}, {3, 3}}},
        {"not layered: not cut", false, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ByteBuilder image;
        add_entry(image, "Data\\dzien.jpg", flat_jpeg(4, 3));
        add_entry(image, "Data\\dzien@2x.jpg", flat_jpeg(8, 6));
        add_entry(image, "Data\\panel.rgn", mask_marking({{1, 1}}));
        if (c.twice_mask) {
            std::vector<std::uint8_t> twice(1200 * 1020, 0);
            twice[0] = 1;
            add_entry(image, "Data\\panel@2x.rgn", twice);
        }
        const DataArchive archive = archive_of(image);
        SkinBitmap bitmap = load_image(archive, "Data\\dzien.jpg", c.layered);
        EXPECT_EQ(load_twice_size_art(archive, "Data\\dzien.jpg", c.layered, bitmap), std::nullopt);
        ASSERT_TRUE(bitmap.has_twice_size());
        const SkinBitmap twice(8, 6, {bitmap.twice_size_pixels().begin(), bitmap.twice_size_pixels().end()});
        EXPECT_EQ(white_pixels(twice), c.white);
    }
}

} // namespace
