// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive_entries.h"
#include "commands.h"
#include "file_bytes.h"
#include "image/skin_bitmap.h"
#include "media/png_writer.h"
#include "platform/headless/headless_platform.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace {

constexpr int kWidth = 40, kHeight = 24;

// Smooth gradients (more colours than a palette holds), a flat band, and alpha that falls
// to 0 on the right: stored pictures are opaque, so alpha must not change the colours.
std::vector<std::uint32_t> source_pixels()
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const auto alpha = static_cast<std::uint32_t>(255 - x * 6);
            const std::uint32_t rgb = y < 6 ? 0x3060C0u
                                            : static_cast<std::uint32_t>(x * 6) << 16 | static_cast<std::uint32_t>(y * 10) << 8 | 0x40u;
            pixels.push_back(alpha << 24 | rgb);
        }
    return pixels;
}

int channel_error(std::uint32_t a, std::uint32_t b)
{
    int worst = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        worst = std::max(worst, std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)));
    return worst;
}

std::string manifest_text(int width, int height, const std::string& files)
{
    return "[root]\nwidth = " + std::to_string(width) + "\nheight = " + std::to_string(height) +
           "\n[[chunk]]\ntype = \"start_page\"\npage = \"p\"\n"
           "[[chunk]]\ntype = \"page\"\nname = \"p\"\nbackground = \"Data\\\\bg.bmp\"\n" + files;
}

std::filesystem::path write_manifest(const TempDir& dir, const std::string& text)
{
    return dir.write("skin.toml", std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::vector<std::uint8_t> stored_entry(const TempDir& dir, const std::string& name)
{
    const auto image = read_file_bytes(dir.path() / "out" / "tarnel.dat");
    for (const ArchiveListing& entry : scan_archive(image).entries)
        if (entry.name == name)
            return {image.begin() + static_cast<std::ptrdiff_t>(entry.offset),
                    image.begin() + static_cast<std::ptrdiff_t>(entry.offset + entry.size)};
    return {};
}

struct Conversion {
    const char* name;
    const char* keys;
    const char* magic;       // the stored file's first bytes
    int bits, compression;   // of a BMP, else 0
    int tolerance;           // largest channel error of the rendered page
};

TEST(TarnelSkinPictures, PngWithAlphaIsStoredInEachFormatAndRendersLikeTheSource)
{
    const Conversion conversions[] = {
        {"Data\\bg.bmp", "format = \"bmp24\"", "BM", 24, 0, 0},
        {"Data\\bg.bmp", "format = \"bmp8\"", "BM", 8, 0, 12},
        {"Data\\bg.bmp", "format = \"bmp8\"\ndither = true", "BM", 8, 0, 24},
        {"Data\\bg.bmp", "format = \"rle8\"", "BM", 8, 1, 12},
        {"Data\\bg.jpg", "format = \"jpeg\"\nquality = 95", "\xFF\xD8\xFF", 0, 0, 12},
    };
    const std::vector<std::uint32_t> source = source_pixels();
    for (const Conversion& conversion : conversions) {
        SCOPED_TRACE(conversion.keys);
        TempDir dir;
        dir.write("art.png", encode_png(source, kWidth, kHeight, PngAlpha::keep));
        std::string text = manifest_text(kWidth, kHeight, std::string("[[file]]\nname = \"") + "Data\\\\" +
                                                              (conversion.name + 5) + "\"\npath = \"art.png\"\n" + conversion.keys + "\n");
        if (conversion.bits == 0)
            text.replace(text.find("bg.bmp"), 6, "bg.jpg");
        std::ostringstream out;
        build_skin(write_manifest(dir, text), dir.path() / "out", out);
        EXPECT_EQ(out.str().find("pure white"), std::string::npos) << out.str();

        const std::vector<std::uint8_t> stored = stored_entry(dir, conversion.name);
        ASSERT_TRUE(std::string(stored.begin(), stored.end()).starts_with(conversion.magic));
        if (conversion.bits != 0) {
            EXPECT_EQ(stored[28], conversion.bits);
            EXPECT_EQ(stored[30], conversion.compression);
        }
        HeadlessPlatform platform(false);
        const SkinBitmap page = draw_skin_page(dir.path() / "out", "p", platform);
        ASSERT_EQ(page.pixels().size(), source.size());
        int worst = 0;
        for (std::size_t i = 0; i < source.size(); ++i)
            worst = std::max(worst, channel_error(page.pixels()[i], source[i]));
        EXPECT_LE(worst, conversion.tolerance);
    }
}

TEST(TarnelSkinPictures, PureWhiteInAStoredPictureIsWarnedOf)
{
    // Layered windows show pure white as a hole; 254 is no white.
    std::vector<std::uint32_t> pixels(4 * 4, 0xFFFEFFFFu);
    pixels[5] = pixels[6] = 0x00FFFFFFu;
    TempDir dir;
    dir.write("art.png", encode_png(pixels, 4, 4, PngAlpha::keep));
    std::ostringstream out;
    build_skin(write_manifest(dir, manifest_text(4, 4, "[[file]]\nname = \"Data\\\\bg.bmp\"\npath = \"art.png\"\nformat = \"bmp24\"\n")),
               dir.path() / "out", out);
    EXPECT_NE(out.str().find("skin.toml:11:1: warning: Data\\bg.bmp: 2 pure white pixels, which layered windows show as holes"),
              std::string::npos)
        << out.str();
}

TEST(TarnelSkinPictures, ConversionKeysAreChecked)
{
    const std::pair<const char*, const char*> cases[] = {
        {"path = \"a.png\"\nformat = \"gif\"", "skin.toml:14:10: format must be jpeg, bmp24, bmp8 or rle8"},
        {"path = \"a.png\"\nformat = \"bmp24\"\nquality = 50", "skin.toml:15:11: quality needs format = \"jpeg\""},
        {"path = \"a.png\"\nformat = \"jpeg\"\ndither = true", "skin.toml:15:10: dither needs format = \"bmp8\" or \"rle8\""},
        {"text = \"x\"\nformat = \"bmp24\"", "skin.toml:14:10: format needs a path"},
        {"text = \"x\"\nsource_2x = \"a.png\"", "skin.toml:14:13: source_2x needs a path or mask_from"},
        {"path = \"a.png\"\nformat = \"bmp24\"", "skin.toml:13:8: can't open TMP/a.png"},
        {"path = \"skin.toml\"\nformat = \"bmp24\"", "skin.toml:13:8: TMP/skin.toml: not a png, jpeg or bmp picture"},
    };
    for (const auto& [keys, message] : cases) {
        TempDir dir;
        const auto manifest = write_manifest(dir, manifest_text(4, 4, std::string("[[file]]\nname = \"n\"\n") + keys + "\n"));
        std::string expected = message;
        if (const auto at = expected.find("TMP/"); at != std::string::npos)
            expected.replace(at, 4, (dir.path() / "").string()); // the folder and its separator
        std::ostringstream out;
        try {
            build_skin(manifest, dir.path() / "out", out);
            ADD_FAILURE() << keys << " was accepted";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()).replace(0, manifest.string().size() - 9, ""), expected);
        }
    }
}

// A ring round the window's centre, inside from radius 100 to 380: the hole lies within the
// rectangle the player always keeps, the cut corners outside it.
bool in_ring(int x, int y)
{
    const int dx = x - 300, dy = y - 255, d2 = dx * dx + dy * dy;
    return d2 >= 100 * 100 && d2 < 380 * 380;
}

TEST(TarnelSkinPictures, MaskFromAlphaEqualsTheHandWrittenMaskAndNamesKeptPixels)
{
    TempDir dir;
    std::vector<std::uint32_t> art;
    std::vector<std::uint8_t> hand_mask;
    for (int y = 0; y < 510; ++y)
        for (int x = 0; x < 600; ++x) {
            // Alpha from 127 (cut) to 128 (kept) right at the ring's edge.
            art.push_back((in_ring(x, y) ? 0x80u : 0x7Fu) << 24 | 0x204060u);
            hand_mask.push_back(in_ring(x, y) ? 0 : 1);
        }
    dir.write("panel.png", encode_png(art, 600, 510, PngAlpha::keep));
    dir.write("small.png", encode_png(std::vector<std::uint32_t>(20 * 10, 0xFF000000u), 20, 10, PngAlpha::keep));
    dir.write("bg.bmp", encode_png(art, 600, 510)); // PNG bytes: the page is never drawn here
    std::ostringstream out;
    build_skin(write_manifest(dir, manifest_text(600, 510, "[[file]]\nname = \"Data\\\\bg.bmp\"\npath = \"bg.bmp\"\n"
                                                           "[[file]]\nname = \"Data\\\\panel.rgn\"\nmask_from = \"panel.png\"\n"
                                                           "[[file]]\nname = \"Data\\\\intro.rgn\"\nmask_from = \"small.png\"\n")),
               dir.path() / "out", out);
    EXPECT_EQ(stored_entry(dir, "Data\\panel.rgn"), hand_mask);

    std::vector<std::uint8_t> small_mask(600 * 510, 1);
    for (int y = 0; y < 10; ++y)
        std::fill_n(small_mask.begin() + y * 600, 20, 0);
    EXPECT_EQ(stored_entry(dir, "Data\\intro.rgn"), small_mask);

    const std::string printed = out.str();
    // Only the hole is named; the small picture's size differs.
    EXPECT_NE(printed.find("skin.toml:14:1: warning: Data\\panel.rgn: 31397 cut pixels in (201, 156)-(400, 355) lie inside "
                           "(25, 21)-(576, 488), which the player always keeps"),
              std::string::npos)
        << printed;
    EXPECT_NE(printed.find("skin.toml:17:1: warning: Data\\intro.rgn: " + (dir.path() / "small.png").string() +
                           " is 20 x 10, the window 600 x 510"),
              std::string::npos)
        << printed;

    // A mask the player could never use is refused before anything is allocated.
    const auto huge = write_manifest(dir, manifest_text(65535, 65535, "[[file]]\nname = \"m\"\nmask_from = \"small.png\"\n"));
    try {
        build_skin(huge, dir.path() / "out", out);
        ADD_FAILURE() << "a mask of 65535 x 65535 was made";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(error.what(), huge.string() + ":11:1: the window 65535 x 65535 is too large for a mask");
    }
}

} // namespace
