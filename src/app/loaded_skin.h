// SPDX-License-Identifier: GPL-3.0-or-later
// LoadedSkin: what one loading of a skin makes and owns: a font system of its own (its font
// files in a folder of their own, so that a skin loaded again never writes over the files the
// running one draws with), the pages, the plug-ins, the fonts, the string mapping and the
// archive. The Player holds one; a reload builds the next beside it and drops the old one
// once nothing refers to it. Members are declared so that destruction goes: the archive, the
// mapping, the installed font files, the plug-in libraries, the pages (which refer to fonts
// and plug-ins but never touch them while being destroyed), then the font system.
// The platform must outlive it. UI thread only.
#pragma once

#include "app/page_registry.h"
#include "app/string_mapping.h"
#include "archive/data_archive.h"
#include "platform/platform.h"
#include "skin/font_registry.h"
#include "skin/plugin_host.h"

#include <filesystem>
#include <memory>

struct LoadedSkin {
    // `skin_dir` is where bare plug-in library names are looked for first.
    LoadedSkin(Platform& platform, const std::filesystem::path& skin_dir)
        : font_system(platform.create_font_system()), plugins(platform.libraries(), skin_dir), fonts(*font_system)
    {
    }
    LoadedSkin(const LoadedSkin&) = delete;
    LoadedSkin& operator=(const LoadedSkin&) = delete;

    std::unique_ptr<FontSystem> font_system;
    PageRegistry pages;
    PluginHost plugins; // the plug-in registry and the PluginContext
    FontRegistry fonts; // fonts and installed font files: removed first of the three
    StringMapping mapping;
    DataArchive archive;
};
