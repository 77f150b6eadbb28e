// SPDX-License-Identifier: GPL-3.0-or-later
// Win32FontSystem: fonts through GDI. Installed font files are written into a private folder
// of this process (under GetTempPathW, a name made of the process id and a counter) and added
// with AddFontResourceExW(FR_PRIVATE), so only this process sees them. Fonts are logical fonts
// (CreateFontW with the face, the height as given and the weight), and text is drawn by GDI
// onto a DIB section holding a copy of the target's pixels (in skin pixels), which then goes
// back into the BackBuffer with the pixels' alpha bytes kept (at scale 2, the pixels the text
// changed, doubled).
// remove_installed_fonts() and the destructor remove the fonts (RemoveFontResourceExW) and
// delete the files and the folder, so an error that unwinds the Player still removes them.
// Every Font made here must be destroyed before the Win32FontSystem. UI thread only.
#pragma once

#include "platform/fonts.h"

#include <filesystem>
#include <vector>

class Win32FontSystem final : public FontSystem {
public:
    Win32FontSystem() = default;
    ~Win32FontSystem() override;
    Win32FontSystem(const Win32FontSystem&) = delete;
    Win32FontSystem& operator=(const Win32FontSystem&) = delete;

    void install_font_file(std::string_view file_name, std::span<const std::uint8_t> bytes) override;
    std::unique_ptr<Font> create_font(std::string_view face, std::int32_t height, std::int32_t weight) override;
    void remove_installed_fonts() override;

    // The private font folder; empty until the first file is installed.
    const std::filesystem::path& folder() const { return folder_; }

private:
    // Makes the private folder once; false when it cannot be made.
    bool ensure_folder();

    std::filesystem::path folder_;
    std::vector<std::filesystem::path> files_;      // written into the folder
    std::vector<std::filesystem::path> registered_; // of those, added to the process's fonts
};
