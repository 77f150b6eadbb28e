// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/jpeg_decoder.h"

#include "media/jpeg_encoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

// Largest difference of one colour channel between two pixels; alpha must be opaque.
int channel_distance(std::uint32_t decoded, std::uint32_t expected)
{
    EXPECT_EQ(decoded >> 24, 0xFFu) << "decoded pixels are opaque";
    int distance = 0;
    for (int shift : {0, 8, 16})
        distance = std::max(distance, std::abs(static_cast<int>((decoded >> shift) & 0xFF) - static_cast<int>((expected >> shift) & 0xFF)));
    return distance;
}

// Flat colour quadrants on an 8-pixel grid, so quality 100 keeps them within a few levels.
std::vector<std::uint32_t> quadrants(int width, int height)
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(y < 8 ? (x < 8 ? 0xC02010u : 0x10C020u) : (x < 8 ? 0x2010C0u : 0x808080u));
    return pixels;
}

TEST(DecodeJpeg, BlueGreenRedPixelsTopRowFirst)
{
    for (const auto& [width, height] : {std::pair{16, 16}, std::pair{13, 11}, std::pair{24, 9}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const auto source = quadrants(width, height);
        const auto bitmap = decode_jpeg(encode_jpeg(width, height, source, 100));
        ASSERT_EQ(bitmap.width(), width);
        ASSERT_EQ(bitmap.height(), height);
        int worst = 0;
        for (std::size_t i = 0; i < source.size(); ++i)
            worst = std::max(worst, channel_distance(bitmap.pixels()[i], source[i]));
        EXPECT_LE(worst, 3);
    }
}

TEST(DecodeJpeg, FilesThatDoNotDecodeGiveAnEmptyBitmap)
{
    const auto good = encode_jpeg(16, 16, quadrants(16, 16), 90);
    std::vector<std::vector<std::uint8_t>> bad{
        {},
        {0xFF},
        {0xFF, 0xD8, 0xFF},
        std::vector<std::uint8_t>(good.begin(), good.begin() + 40), // cut inside the tables
        std::vector<std::uint8_t>(300, 0x42),
    };
    auto no_frame = good; // a start of frame with 0 components
    for (std::size_t i = 0; i + 9 < no_frame.size(); ++i) {
        if (no_frame[i] == 0xFF && no_frame[i + 1] == 0xC0) {
            no_frame[i + 9] = 0;
            break;
        }
    }
    bad.push_back(no_frame);
    for (std::size_t i = 0; i < bad.size(); ++i)
        EXPECT_FALSE(decode_jpeg(bad[i]).has_image()) << "file " << i;
}

TEST(DecodeJpeg, StreamCutInsideTheScanKeepsItsSize)
{
    const auto good = encode_jpeg(32, 32, quadrants(32, 32), 90);
    const auto bitmap = decode_jpeg(std::span(good).first(good.size() - 60));
    EXPECT_EQ(bitmap.width(), 32);
    EXPECT_EQ(bitmap.height(), 32);
}

} // namespace
