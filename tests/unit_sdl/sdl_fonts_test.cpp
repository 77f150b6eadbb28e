// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/back_buffer.h"
#include "platform/linux_services/sdl_fonts.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

const char* const dejavu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::vector<std::uint8_t> read_file(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Files of this process's application fonts.
std::vector<std::string> application_font_files()
{
    std::vector<std::string> files;
    FcFontSet* set = FcConfigGetFonts(nullptr, FcSetApplication);
    for (int i = 0; set && i < set->nfont; ++i) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) == FcResultMatch)
            files.emplace_back(reinterpret_cast<const char*>(file));
    }
    return files;
}

// Pixels that differ from the buffer's initial black inside the rectangle.
int inked(const BackBuffer& buffer, int left, int top, int right, int bottom)
{
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            count += buffer.pixel(x, y) != 0xFF000000u;
    return count;
}

TEST(SdlFontSystem, InstalledFilesArePrivateAndGoneAfterDestruction)
{
    const std::vector<std::uint8_t> bytes = read_file(dejavu);
    ASSERT_FALSE(bytes.empty()) << "fonts-dejavu-core is needed";
    std::optional<SdlFontSystem> system(std::in_place);
    system->install_font_file("skin.ttf", bytes);
    system->install_font_file("../escape.ttf", bytes);
    system->install_font_file("skin.ttf", bytes); // a second chunk of the same name
    const std::filesystem::path folder = system->folder();
    ASSERT_FALSE(folder.empty());
    const std::filesystem::path file = folder / "skin.ttf";
    EXPECT_EQ(std::filesystem::file_size(file), bytes.size());
    EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
    EXPECT_FALSE(std::filesystem::exists(folder.parent_path() / "escape.ttf"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
    const std::vector<std::string> added = application_font_files();
    EXPECT_NE(std::find(added.begin(), added.end(), file.string()), added.end());

    system.reset();
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_TRUE(application_font_files().empty());
}

TEST(SdlFontSystem, DrawsTextWhereAskedAndFallsBackForUnknownFaces)
{
    SdlFontSystem system;
    for (const char* face : {"DejaVu Sans", "No Such Face At All", ""}) {
        BackBuffer buffer(120, 60);
        {
            const std::unique_ptr<Font> font = system.create_font(face, -20, 700);
            font->draw_text(buffer, 30, 20, "Wq", 0xFFFFFF);
            font->draw_text(buffer, 30, 20, "", 0xFFFFFF);
        }
        EXPECT_GT(inked(buffer, 30, 20, 90, 48), 40) << face;
        EXPECT_EQ(inked(buffer, 0, 0, 120, 20), 0) << face << ": nothing above the top edge";
        EXPECT_EQ(inked(buffer, 0, 0, 30, 60), 0) << face << ": nothing left of x";
    }
    BackBuffer small(8, 8);
    system.create_font("DejaVu Sans", 30, 400)->draw_text(small, -10, -10, "Clipped", 0xFFFFFF);
}

} // namespace
