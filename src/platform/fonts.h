// SPDX-License-Identifier: GPL-3.0-or-later
// FontSystem: the platform's fonts. It installs font files for this process only, creates
// fonts by face name, height and weight (the system's closest match when the face is not
// there), and draws text with them onto a BackBuffer. Back ends: the SDL one (fontconfig
// and SDL2_ttf, anti-aliased) and the headless one (records calls, draws boxes).
//
// Lifetime: every Font must be destroyed before the FontSystem that made it. Installed
// files stay until remove_installed_fonts() or the system's destruction, which also removes
// them after an error. UI thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

class BackBuffer;

class Font {
public:
    virtual ~Font() = default;
    // Draws the UTF-8 `text` with its top-left corner at (x, y) in `rgb` (0xRRGGBB),
    // clipped to the buffer.
    virtual void draw_text(BackBuffer& target, int x, int y, std::string_view text, std::uint32_t rgb) const = 0;
};

class FontSystem {
public:
    virtual ~FontSystem() = default;
    // Writes `bytes` as the font file `file_name` (a base name) into this process's private
    // font folder and makes its faces available to create_font. A file that cannot be
    // written (or a name that is not a plain base name) is skipped silently.
    virtual void install_font_file(std::string_view file_name, std::span<const std::uint8_t> bytes) = 0;
    // A font of `face` (empty: the system's default face); `height` in pixels as a Windows
    // logical font gives it (positive: cell height, negative: character height, 0: default);
    // `weight` 0..1000 (400 normal, 700 bold, 0 normal). Never fails: without a match the
    // font draws nothing.
    virtual std::unique_ptr<Font> create_font(std::string_view face, std::int32_t height, std::int32_t weight) = 0;
    // Removes every installed file from the process's fonts and deletes it.
    virtual void remove_installed_fonts() = 0;
};
