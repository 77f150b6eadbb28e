// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/back_buffer.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

// A bitmap whose pixels name their own position, so a misplaced copy shows.
SkinBitmap numbered_bitmap(int width, int height)
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(0xAA000000u | static_cast<std::uint32_t>(y + 1) << 8 | static_cast<std::uint32_t>(x + 1));
    return {static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), pixels};
}

SkinBitmap bitmap_of(int width, int height, std::vector<std::uint32_t> pixels)
{
    return {static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), std::move(pixels)};
}

std::vector<std::uint32_t> pixels_of(const BackBuffer& buffer) { return {buffer.pixels().begin(), buffer.pixels().end()}; }

struct CopyCase {
    const char* what;
    int dx, dy, w, h, sx, sy;
};

const std::vector<CopyCase> copy_cases{
    {"inside both", 1, 1, 2, 2, 0, 1},
    {"whole bitmap at the origin", 0, 0, 3, 3, 0, 0},
    {"negative destination", -2, -1, 3, 3, 0, 0},
    {"negative source", 0, 0, 3, 3, -1, -2},
    {"past the buffer's right and bottom", 3, 2, 5, 5, 0, 0},
    {"past the bitmap's right and bottom", 0, 0, 9, 9, 1, 1},
    {"oversize both ways", -100, -100, 1000, 1000, -50, -70},
    {"zero width", 0, 0, 0, 3, 0, 0},
    {"negative height", 0, 0, 3, -2, 0, 0},
    {"source entirely outside", 0, 0, 3, 3, 3, 0},
    {"destination entirely outside", 5, 0, 3, 3, 0, 0},
    {"extreme values", INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MAX},
    {"extreme negative origin", INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0},
};

// The expected buffer after copying with `pixel(source, destination)` per covered pixel,
// found pixel by pixel: a destination pixel is covered when it lies in the rectangle and
// its source pixel lies inside the bitmap.
template <class PixelRule>
std::vector<std::uint32_t> expected_copy(const BackBuffer& before, const SkinBitmap& bitmap, const CopyCase& c, PixelRule pixel)
{
    auto pixels = pixels_of(before);
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            const std::int64_t sx = std::int64_t{c.sx} + x - c.dx, sy = std::int64_t{c.sy} + y - c.dy;
            const bool in_rect = x >= std::int64_t{c.dx} && x < std::int64_t{c.dx} + c.w && y >= std::int64_t{c.dy} && y < std::int64_t{c.dy} + c.h;
            if (in_rect && sx >= 0 && sy >= 0 && sx < bitmap.width() && sy < bitmap.height()) {
                auto& out = pixels[static_cast<std::size_t>(y * before.width() + x)];
                out = pixel(bitmap.pixel(static_cast<int>(sx), static_cast<int>(sy)), out);
            }
        }
    }
    return pixels;
}

TEST(BackBuffer, BlitCopiesTheRectangleClippedToBothSurfaces)
{
    const auto bitmap = numbered_bitmap(3, 3);
    for (const auto& c : copy_cases) {
        SCOPED_TRACE(c.what);
        BackBuffer buffer(4, 3);
        const auto expected = expected_copy(buffer, bitmap, c, [](std::uint32_t s, std::uint32_t) { return s; });
        buffer.blit(bitmap, c.dx, c.dy, c.w, c.h, c.sx, c.sy);
        EXPECT_EQ(pixels_of(buffer), expected);
    }
}

TEST(BackBuffer, BlitOfAnEmptyBitmapChangesNothing)
{
    BackBuffer buffer(2, 2);
    buffer.blit(SkinBitmap{}, 0, 0, 2, 2, 0, 0);
    EXPECT_EQ(pixels_of(buffer), std::vector<std::uint32_t>(4, 0xFF000000u));
}

// The documented formulas, in floating point.
std::uint32_t channel_rounded(double value) { return static_cast<std::uint32_t>(std::floor(value + 0.5)); }

std::uint32_t reference_blend(std::uint32_t source, std::uint32_t dest, int alpha, int format)
{
    std::uint32_t result = 0;
    const double source_alpha = channel_rounded((source >> 24) * alpha / 255.0);
    for (int shift = 0; shift < 32; shift += 8) {
        const double s = (source >> shift) & 0xFF, d = (dest >> shift) & 0xFF;
        std::uint32_t out;
        if (format == 0)
            out = channel_rounded((s * alpha + d * (255 - alpha)) / 255.0);
        else
            out = std::min<std::uint32_t>(255, channel_rounded(s * alpha / 255.0) + channel_rounded(d * (255 - source_alpha) / 255.0));
        result |= out << shift;
    }
    return result;
}

TEST(BackBuffer, BlendAtAlpha0And255)
{
    const auto bitmap = bitmap_of(2, 1, {0x80402010u, 0x00FFFFFFu});
    for (const int format : {0, 1}) {
        BackBuffer buffer(2, 1);
        buffer.blend(bitmap, 0, 0, 2, 1, 0, 0, 0.0f, static_cast<std::uint8_t>(format));
        EXPECT_EQ(pixels_of(buffer), std::vector<std::uint32_t>(2, 0xFF000000u)) << "alpha 0 changes nothing, format " << format;
    }
    BackBuffer constant(2, 1);
    constant.blend(bitmap, 0, 0, 2, 1, 0, 0, 255.0f, 0);
    EXPECT_EQ(pixels_of(constant), (std::vector<std::uint32_t>{0x80402010u, 0x00FFFFFFu})) << "a plain copy";

    // Premultiplied source over opaque grey: half-transparent pixel, fully transparent one.
    BackBuffer per_pixel(2, 1);
    per_pixel.blit(bitmap_of(2, 1, {0xFFC8C8C8u, 0xFFC8C8C8u}), 0, 0, 2, 1, 0, 0);
    per_pixel.blend(bitmap_of(2, 1, {0x80643200u, 0x00000000u}), 0, 0, 2, 1, 0, 0, 255.0f, 1);
    EXPECT_EQ(pixels_of(per_pixel), (std::vector<std::uint32_t>{0xFFC89664u, 0xFFC8C8C8u}));
}

TEST(BackBuffer, BlendAtAlpha128)
{
    BackBuffer constant(1, 1);
    constant.blit(bitmap_of(1, 1, {0xFF646464u}), 0, 0, 1, 1, 0, 0);
    constant.blend(bitmap_of(1, 1, {0x00C8FF00u}), 0, 0, 1, 1, 0, 0, 128.0f, 0);
    // (200 × 128 + 100 × 127) / 255 = 150.2; (255 × 128 + 100 × 127) / 255 = 177.8;
    // (0 × 128 + 100 × 127) / 255 = 49.8; alpha (0 × 128 + 255 × 127) / 255 = 127
    EXPECT_EQ(constant.pixel(0, 0), 0x7F96B232u);

    BackBuffer per_pixel(1, 1);
    per_pixel.blit(bitmap_of(1, 1, {0xFFC8C8C8u}), 0, 0, 1, 1, 0, 0);
    per_pixel.blend(bitmap_of(1, 1, {0x80643200u}), 0, 0, 1, 1, 0, 0, 128.0f, 1);
    // source scaled to (64, 50, 25, 0); destination kept at (255 − 64) / 255: 255, 150, 150, 150
    EXPECT_EQ(per_pixel.pixel(0, 0), 0xFFC8AF96u);
}

TEST(BackBuffer, BlendMatchesTheDocumentedFormulaForEveryAlpha)
{
    std::mt19937 random(7);
    std::vector<std::uint32_t> source(7 * 3), dest(9 * 4);
    for (auto& pixel : source)
        pixel = static_cast<std::uint32_t>(random());
    for (auto& pixel : dest)
        pixel = static_cast<std::uint32_t>(random());
    // Premultiply half the source rows, as per-pixel alpha expects; the other rows overshoot.
    for (std::size_t i = 0; i < 7; ++i) {
        const std::uint32_t a = source[i] >> 24;
        std::uint32_t premultiplied = a << 24;
        for (int shift = 0; shift < 24; shift += 8)
            premultiplied |= (((source[i] >> shift) & 0xFF) * a / 255) << shift;
        source[i] = premultiplied;
    }
    const auto bitmap = bitmap_of(7, 3, source);
    for (const int format : {0, 1}) {
        for (int alpha = 0; alpha <= 255; ++alpha) {
            SCOPED_TRACE("format " + std::to_string(format) + ", alpha " + std::to_string(alpha));
            BackBuffer buffer(9, 4);
            std::copy(dest.begin(), dest.end(), buffer.pixels().begin());
            // Width 7 exercises the odd last pixel; the offsets exercise the pitches.
            const CopyCase c{"", 1, 1, 7, 3, 0, 0};
            const auto expected = expected_copy(buffer, bitmap, c, [&](std::uint32_t s, std::uint32_t d) { return reference_blend(s, d, alpha, format); });
            buffer.blend(bitmap, c.dx, c.dy, c.w, c.h, c.sx, c.sy, static_cast<float>(alpha) + 0.75f, static_cast<std::uint8_t>(format));
            ASSERT_EQ(pixels_of(buffer), expected) << "the fraction of the alpha is dropped";
        }
    }
}

TEST(BackBuffer, BlendClipsLikeBlit)
{
    const auto bitmap = numbered_bitmap(3, 3);
    for (const auto& c : copy_cases) {
        SCOPED_TRACE(c.what);
        BackBuffer buffer(4, 3);
        const auto expected = expected_copy(buffer, bitmap, c, [](std::uint32_t s, std::uint32_t d) { return reference_blend(s, d, 100, 1); });
        buffer.blend(bitmap, c.dx, c.dy, c.w, c.h, c.sx, c.sy, 100.0f, 1);
        EXPECT_EQ(pixels_of(buffer), expected);
    }
}

TEST(BackBuffer, BlendAlphaOutOfRange)
{
    const auto bitmap = bitmap_of(1, 1, {0xFF808080u});
    struct Case {
        float alpha;
        std::uint8_t format;
        std::uint32_t expected;
    };
    for (const Case c : {Case{-5.0f, 0, 0xFF000000u}, Case{NAN, 0, 0xFF000000u}, Case{300.0f, 0, 0xFF808080u},
                         Case{0.99f, 0, 0xFF000000u}, Case{255.0f, 2, 0xFF000000u}}) {
        BackBuffer buffer(1, 1);
        buffer.blend(bitmap, 0, 0, 1, 1, 0, 0, c.alpha, c.format);
        EXPECT_EQ(buffer.pixel(0, 0), c.expected) << "alpha " << c.alpha << ", format " << int{c.format};
    }
}

// The scale-1 picture with every pixel two by two.
std::vector<std::uint32_t> doubled(const BackBuffer& buffer)
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < buffer.height() * 2; ++y)
        for (int x = 0; x < buffer.width() * 2; ++x)
            pixels.push_back(buffer.pixel(x / 2, y / 2));
    return pixels;
}

// The three ways of drawing a bitmap, each as one call.
const std::pair<const char*, void (*)(BackBuffer&, const SkinBitmap&, const CopyCase&)> drawings[] = {
    {"blit", [](BackBuffer& b, const SkinBitmap& s, const CopyCase& c) { b.blit(s, c.dx, c.dy, c.w, c.h, c.sx, c.sy); }},
    {"blend", [](BackBuffer& b, const SkinBitmap& s, const CopyCase& c) { b.blend(s, c.dx, c.dy, c.w, c.h, c.sx, c.sy, 100.0f, 0); }},
    {"blend per pixel", [](BackBuffer& b, const SkinBitmap& s, const CopyCase& c) { b.blend(s, c.dx, c.dy, c.w, c.h, c.sx, c.sy, 100.0f, 1); }},
};

TEST(BackBuffer, AtScale2WithoutArtAtTwiceTheSizeEveryDrawingIsTheScale1OneDoubled)
{
    const auto background = numbered_bitmap(4, 3);
    const auto bitmap = numbered_bitmap(3, 3);
    for (const auto& [drawing, draw] : drawings)
        for (const std::optional<Rect> clip : {std::optional<Rect>(), std::optional(Rect{1, 0, 3, 2})})
            for (const auto& c : copy_cases) {
                SCOPED_TRACE(std::string(drawing) + ", " + c.what + (clip ? ", clipped" : ""));
                BackBuffer one(4, 3), two(4, 3, 2);
                for (BackBuffer* buffer : {&one, &two}) {
                    buffer->blit(background, 0, 0, 4, 3, 0, 0);
                    if (clip)
                        buffer->set_clip(*clip);
                    draw(*buffer, bitmap, c);
                    buffer->fill(Rect{3, 2, 9, 9}, 0x123456);
                }
                EXPECT_EQ(pixels_of(two), doubled(one));
            }
}

TEST(BackBuffer, AtScale2ArtAtTwiceTheSizeIsDrawnPixelForPixel)
{
    auto bitmap = numbered_bitmap(3, 3);
    const auto twice = numbered_bitmap(6, 6);
    bitmap.set_twice_size({twice.pixels().begin(), twice.pixels().end()});
    for (const auto& [drawing, draw] : drawings)
        for (const auto& c : copy_cases) {
            if (std::abs(std::int64_t{c.dx}) + std::abs(std::int64_t{c.w}) + std::abs(std::int64_t{c.sx}) > 1000)
                continue; // doubled, the rectangle would not fit an int
            SCOPED_TRACE(std::string(drawing) + ", " + c.what);
            BackBuffer buffer(4, 3, 2);
            // The same drawing at scale 1 of the twice-size art into a buffer of twice the size.
            BackBuffer reference(8, 6);
            draw(buffer, bitmap, c);
            draw(reference, twice, CopyCase{c.what, c.dx * 2, c.dy * 2, c.w * 2, c.h * 2, c.sx * 2, c.sy * 2});
            EXPECT_EQ(pixels_of(buffer), pixels_of(reference));
        }
}

TEST(BackBuffer, CanvasGivesSkinPixelsAndWritesBackOnlyWhatChanged)
{
    BackBuffer one(2, 1);
    EXPECT_EQ(one.canvas().data(), one.pixels().data());

    auto checks = bitmap_of(2, 1, {0xFF000000u, 0xFF000000u});
    checks.set_twice_size({0xFF111111u, 0xFF222222u, 0xFF333333u, 0xFF444444u,  // a different pixel each
                           0xFF555555u, 0xFF666666u, 0xFF777777u, 0xFF888888u});
    BackBuffer two(2, 1, 2);
    two.blit(checks, 0, 0, 2, 1, 0, 0);
    two.open_canvas();
    ASSERT_EQ(two.canvas().size(), 2u);
    EXPECT_EQ(two.canvas()[0], 0xFF111111u);
    EXPECT_EQ(two.canvas()[1], 0xFF333333u);
    two.canvas()[1] = 0xFF00FF00u; // a plug-in draws the right skin pixel
    two.close_canvas();
    EXPECT_EQ(pixels_of(two), (std::vector<std::uint32_t>{0xFF111111u, 0xFF222222u, 0xFF00FF00u, 0xFF00FF00u,
                                                          0xFF555555u, 0xFF666666u, 0xFF00FF00u, 0xFF00FF00u}));

    two.set_scale(1);
    EXPECT_EQ(pixels_of(two), (std::vector<std::uint32_t>{0xFF111111u, 0xFF00FF00u}));
    const BackBuffer single = two;
    two.set_scale(2);
    EXPECT_EQ(pixels_of(two), doubled(single));
}

} // namespace
