// SPDX-License-Identifier: GPL-3.0-or-later
// HeadlessFontSystem: a FontSystem for tests and the skin tool. It keeps installed files in
// memory, records every call, and draws text as one filled box per character (spaces left
// empty), so tests can see where text went. Cell: |height| pixels high (16 for height 0, at most 1024),
// half as wide, the box one pixel narrower than its cell. UI thread only.
#pragma once

#include "platform/fonts.h"

#include <cstdint>
#include <string>
#include <vector>

class HeadlessFontSystem final : public FontSystem {
public:
    struct InstalledFile {
        std::string name;
        std::vector<std::uint8_t> bytes;
    };
    struct CreatedFont {
        std::string face;
        std::int32_t height;
        std::int32_t weight;
    };
    struct DrawnText {
        std::string face;
        int x;
        int y;
        std::string text;
        std::uint32_t rgb;
    };

    void install_font_file(std::string_view file_name, std::span<const std::uint8_t> bytes) override;
    std::unique_ptr<Font> create_font(std::string_view face, std::int32_t height, std::int32_t weight) override;
    void remove_installed_fonts() override { installed_.clear(); }

    // Files installed and not yet removed, oldest first.
    const std::vector<InstalledFile>& installed() const { return installed_; }
    const std::vector<CreatedFont>& created() const { return created_; }
    const std::vector<DrawnText>& drawn() const { return drawn_; }

private:
    class BoxFont;

    std::vector<InstalledFile> installed_;
    std::vector<CreatedFont> created_;
    std::vector<DrawnText> drawn_;
};
