// SPDX-License-Identifier: GPL-3.0-or-later
// FontRegistry: the skin's fonts. It installs the font files that the archive ships (for
// this process only, through the platform's FontSystem) and registers named fonts made from
// face, height and weight; `find_font` looks a name up exactly, the newest first.
//
// Ownership: owns the FontEntry objects; list views and text browsers only refer to them.
// Lifetime: the FontSystem must outlive the registry. The registry's destruction removes
// the installed font files from the process's fonts and deletes them; the Player therefore
// declares it after the page and plug-in registries, so that the files go first, then the
// plug-in libraries, then the pages (which never touch a font while being destroyed).
// UI thread only.
#pragma once

#include "base/named_list.h"
#include "skin/font_entry.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class DataArchive;

class FontRegistry {
public:
    // Face names longer than this are cut to it.
    static constexpr std::size_t max_face_bytes = 31;

    explicit FontRegistry(FontSystem& system) : system_(system) {}
    ~FontRegistry();
    FontRegistry(const FontRegistry&) = delete;
    FontRegistry& operator=(const FontRegistry&) = delete;

    // Installs the archive file `archive_name` under its base name (the part after the last
    // backslash). Throws SkinError "can't find file <name> in datafile" when it is missing.
    void install_font_file(const DataArchive& archive, std::string_view archive_name);
    // Creates the font and registers it under `name`.
    FontEntry& define_font(std::string name, std::string_view face, std::int32_t height, std::int32_t weight,
                           std::array<std::uint32_t, 4> values);
    // The newest font registered under exactly `name`, or nullptr.
    const FontEntry* find_font(std::string_view name) const { return fonts_.find(name); }
    bool empty() const { return fonts_.empty(); }
    // Base names of the installed font files, oldest first.
    const std::vector<std::string>& installed_files() const { return installed_; }

private:
    FontSystem& system_;
    NamedList<FontEntry> fonts_;
    std::vector<std::string> installed_;
};
