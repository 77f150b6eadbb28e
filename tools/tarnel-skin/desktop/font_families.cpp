// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/font_families.h"

#include <fontconfig/fontconfig.h>

#include <memory>

std::vector<std::string> font_families(const std::vector<std::filesystem::path>& font_files)
{
    std::vector<std::string> families;
    const std::unique_ptr<FcConfig, decltype(&FcConfigDestroy)> config(FcInitLoadConfigAndFonts(), FcConfigDestroy);
    if (!config)
        return families;
    for (const std::filesystem::path& file : font_files)
        FcConfigAppFontAddFile(config.get(), reinterpret_cast<const FcChar8*>(file.c_str()));
    const std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(FcPatternCreate(), FcPatternDestroy);
    const std::unique_ptr<FcObjectSet, decltype(&FcObjectSetDestroy)> objects(FcObjectSetBuild(FC_FAMILY, nullptr),
                                                                              FcObjectSetDestroy);
    const std::unique_ptr<FcFontSet, decltype(&FcFontSetDestroy)> fonts(
        FcFontList(config.get(), pattern.get(), objects.get()), FcFontSetDestroy);
    if (!fonts)
        return families;
    for (int i = 0; i < fonts->nfont; ++i) {
        FcChar8* family = nullptr;
        for (int n = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, n, &family) == FcResultMatch; ++n)
            families.emplace_back(reinterpret_cast<const char*>(family));
    }
    return families;
}
