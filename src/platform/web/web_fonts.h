// SPDX-License-Identifier: GPL-3.0-or-later
// WebFontSystem: the skin's fonts drawn by FreeType inside the player, from the font files'
// bytes kept in memory (the browser's own fonts load asynchronously, while a frame draws its
// text at once). A face is chosen by family name among the installed files (a bold face for
// weights from 600), else the first installed face; with none installed nothing is drawn.
// Heights are taken as the desktop back ends take them (positive: the cell, ascent plus
// descent; negative: the em; 0: 16 pixels). Main thread only.
#pragma once

#include "platform/fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <string>
#include <vector>

class WebFontSystem final : public FontSystem {
public:
    WebFontSystem();
    ~WebFontSystem() override;
    WebFontSystem(const WebFontSystem&) = delete;
    WebFontSystem& operator=(const WebFontSystem&) = delete;

    void install_font_file(std::string_view file_name, std::span<const std::uint8_t> bytes) override;
    std::unique_ptr<Font> create_font(std::string_view face, std::int32_t height, std::int32_t weight) override;
    void remove_installed_fonts() override;

private:
    struct InstalledFile {
        std::string name;
        // FreeType reads the faces from here; fonts made from it share it.
        std::shared_ptr<const std::vector<std::uint8_t>> bytes;
    };

    FT_Library library_ = nullptr;
    std::vector<InstalledFile> files_;
};
