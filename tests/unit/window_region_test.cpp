// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/data_archive.h"
#include "base/skin_error.h"
#include "byte_builder.h"
#include "skin/window_region.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

DataArchive archive_with_mask(const std::vector<std::uint8_t>& mask)
{
    ByteBuilder image;
    image.string("Data\\panel.rgn").u32(static_cast<std::uint32_t>(mask.size())).raw(mask);
    DataArchive archive;
    archive.load_image(image.take());
    return archive;
}

// Compares the region pixel by pixel with `expected` over a margin around the window,
// and checks that no two rectangles overlap.
void expect_shape(const Region& region, int width, int height, const std::function<bool(int, int)>& expected)
{
    for (int y = -2; y < std::max(height, 490) + 2; ++y)
        for (int x = -2; x < std::max(width, 580) + 2; ++x)
            ASSERT_EQ(region.contains(x, y), expected(x, y)) << "pixel " << x << "," << y;
    for (std::size_t i = 0; i < region.rectangles.size(); ++i)
        for (std::size_t j = i + 1; j < region.rectangles.size(); ++j) {
            const Rect& a = region.rectangles[i];
            const Rect& b = region.rectangles[j];
            ASSERT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom) << i << " overlaps " << j;
        }
}

bool in_interior(int x, int y)
{
    return x >= 25 && x < 576 && y >= 21 && y < 488;
}

TEST(WindowRegion, WholeWindowFromAZeroMaskAsFewRectangles)
{
    const auto archive = archive_with_mask(std::vector<std::uint8_t>(600 * 510, 0));
    const Region region = build_region(archive, "Data\\panel.rgn", 600, 510);
    expect_shape(region, 600, 510, [](int x, int y) { return x >= 0 && x < 600 && y >= 0 && y < 510; });
    EXPECT_LE(region.rectangles.size(), 5u) << "identical rows are merged";
}

TEST(WindowRegion, InteriorAloneFromACutAwayMask)
{
    std::vector<std::uint8_t> mask(600 * 510, 7);
    for (int y = 21; y < 488; ++y)
        mask[static_cast<std::size_t>(y) * 600 + 300] = 0; // bytes inside the interior are never read
    const auto archive = archive_with_mask(mask);
    expect_shape(build_region(archive, "Data\\panel.rgn", 600, 510), 600, 510, in_interior);
    expect_shape(build_region(archive, "Data\\panel.rgn", 0, 0), 0, 0, in_interior);
}

TEST(WindowRegion, BorderPixelsShortMasksAndFixedShapes)
{
    // A round-cornered mask: the corners cut away, one stray hole in the border band.
    std::vector<std::uint8_t> mask(600 * 510, 0);
    auto cut = [](int x, int y) { return (x < 10 && y < 10) || (x >= 590 && y >= 500) || (x == 3 && y == 200); };
    for (int y = 0; y < 510; ++y)
        for (int x = 0; x < 600; ++x)
            mask[static_cast<std::size_t>(y) * 600 + static_cast<std::size_t>(x)] = cut(x, y) ? 1 : 0;
    expect_shape(build_region(archive_with_mask(mask), "Data\\panel.rgn", 600, 510), 600, 510,
                 [&](int x, int y) { return x >= 0 && x < 600 && y >= 0 && y < 510 && !cut(x, y); });

    // A mask cut short after 100 rows: the missing pixels are cut away, never read.
    mask.resize(600 * 100);
    expect_shape(build_region(archive_with_mask(mask), "Data\\panel.rgn", 600, 510), 600, 510,
                 [&](int x, int y) { return in_interior(x, y) || (x >= 0 && x < 600 && y >= 0 && y < 100 && !cut(x, y)); });

    const DataArchive empty;
    const Region fixed{{Rect{90, 45, 510, 465}}};
    EXPECT_EQ(build_region(empty, "intro", 0, 0), fixed);
    try {
        build_region(empty, "Data\\panel.rgn", 600, 510);
        FAIL();
    } catch (const SkinError& error) {
        EXPECT_STREQ(error.what(), "can't find file Data\\panel.rgn in datafile");
    }
}

} // namespace

namespace {

DataArchive archive_with_masks(const std::vector<std::uint8_t>& mask, const std::vector<std::uint8_t>& twice)
{
    ByteBuilder image;
    image.string("Data\\panel.rgn").u32(static_cast<std::uint32_t>(mask.size())).raw(mask);
    image.string("Data\\panel@2x.rgn").u32(static_cast<std::uint32_t>(twice.size())).raw(twice);
    DataArchive archive;
    archive.load_image(image.take());
    return archive;
}

TEST(WindowRegion, AtScale2TheMaskAtTwiceTheSizeShapesTheWindowWhenItFits)
{
    // A 40 × 30 window kept whole at 1; at 2 one pixel is cut, and everything outside the
    // interior, which is doubled too.
    std::vector<std::uint8_t> twice(80 * 60, 0);
    twice[1 * 80 + 3] = 1;
    const struct {
        const char* what;
        std::vector<std::uint8_t> twice;
        int scale;
        int expected_scale;
    } cases[] = {
        {"fits", twice, 2, 2},
        {"a byte short", std::vector<std::uint8_t>(twice.begin(), twice.end() - 1), 2, 1},
        {"at scale 1", twice, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto archive = archive_with_masks(std::vector<std::uint8_t>(40 * 30, 0), c.twice);
        const Region region = build_window_region(archive, "Data\\panel.rgn", 40, 30, c.scale);
        ASSERT_EQ(region.scale, c.expected_scale);
        if (c.expected_scale == 1) {
            EXPECT_EQ(region, build_region(archive, "Data\\panel.rgn", 40, 30));
            continue;
        }
        EXPECT_FALSE(region.contains(3, 1));
        EXPECT_TRUE(region.contains(2, 1) && region.contains(4, 1) && region.contains(3, 0) && region.contains(79, 59));
        EXPECT_TRUE(region.contains(50, 42) && region.contains(1151, 975)) << "the interior at twice the size";
        EXPECT_FALSE(region.contains(1152, 975) || region.contains(80, 41));
    }
}

} // namespace
