// SPDX-License-Identifier: GPL-3.0-or-later
// SdlFontSystem: fonts for Linux desktops. Installed font files are written into a private
// folder of this process (mkdtemp under the temporary directory, mode 0700) and added to
// fontconfig's application fonts of this process only; fonts are matched by face, pixel
// size and weight through fontconfig and drawn anti-aliased with SDL2_ttf.
// remove_installed_fonts() and the destructor clear the application fonts and delete the
// files and the folder, so an error that unwinds the Player still removes them.
// Every Font made here must be destroyed before the SdlFontSystem. UI thread only.
#pragma once

#include "platform/fonts.h"

#include <filesystem>
#include <vector>

class SdlFontSystem final : public FontSystem {
public:
    SdlFontSystem();
    ~SdlFontSystem() override;
    SdlFontSystem(const SdlFontSystem&) = delete;
    SdlFontSystem& operator=(const SdlFontSystem&) = delete;

    void install_font_file(std::string_view file_name, std::span<const std::uint8_t> bytes) override;
    std::unique_ptr<Font> create_font(std::string_view face, std::int32_t height, std::int32_t weight) override;
    void remove_installed_fonts() override;

    // The private font folder; empty until the first file is installed.
    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    std::vector<std::filesystem::path> files_;
    bool ttf_started_;
};
