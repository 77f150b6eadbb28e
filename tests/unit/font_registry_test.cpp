// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/data_archive.h"
#include "base/skin_error.h"
#include "byte_builder.h"
#include "platform/headless/headless_fonts.h"
#include "skin/font_registry.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(FontRegistry, InstallsUnderTheBaseNameAndRemovesAtTheEnd)
{
    DataArchive archive;
    ByteBuilder image;
    archive_entry(image, "Data\\Fonts\\skin.ttf", "TTF1");
    archive_entry(image, "plain.ttf", "TTF2");
    archive.load_image(image.take());

    HeadlessFontSystem system;
    std::optional<FontRegistry> fonts(std::in_place, system);
    fonts->install_font_file(archive, "Data\\Fonts\\skin.ttf");
    fonts->install_font_file(archive, "plain.ttf");
    try {
        fonts->install_font_file(archive, "Data\\none.ttf");
        FAIL() << "no error for a missing font file";
    } catch (const SkinError& error) {
        EXPECT_STREQ(error.what(), "can't find file Data\\none.ttf in datafile");
    }
    ASSERT_EQ(system.installed().size(), 2u);
    EXPECT_EQ(system.installed()[0].name, "skin.ttf");
    EXPECT_EQ(system.installed()[0].bytes, (std::vector<std::uint8_t>{'T', 'T', 'F', '1'}));
    EXPECT_EQ(system.installed()[1].name, "plain.ttf");
    fonts.reset();
    EXPECT_TRUE(system.installed().empty());
}

TEST(FontRegistry, FindsFontsByExactNameNewestFirst)
{
    HeadlessFontSystem system;
    FontRegistry fonts(system);
    fonts.define_font("font", "Sans", -12, 700, {1, 2, 3, 4});
    const FontEntry& newer = fonts.define_font("font", std::string(40, 'F'), 20, 400, {});
    EXPECT_EQ(fonts.find_font("font"), &newer);
    EXPECT_EQ(fonts.find_font("Font"), nullptr);
    ASSERT_EQ(system.created().size(), 2u);
    EXPECT_EQ(system.created()[0].face, "Sans");
    EXPECT_EQ(system.created()[0].height, -12);
    EXPECT_EQ(system.created()[0].weight, 700);
    EXPECT_EQ(system.created()[1].face, std::string(31, 'F')) << "face names are cut to 31 bytes";
}

} // namespace
