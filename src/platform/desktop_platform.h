// SPDX-License-Identifier: GPL-3.0-or-later
// make_desktop_platform: the platform of the desktop back end the program is linked with
// (SDL2/X11 on Linux, Win32 on Windows). The entry point calls it once; the caller owns the
// result. bundled_skin_folders: the folders of the skins that come with the program itself,
// each holding one folder a skin, most important first: on Windows `skins` beside the
// program's executable; none on Linux, whose installed skins lie in the XDG data folders.
// Both need no display.
#pragma once

#include "platform/platform.h"

#include <filesystem>
#include <memory>
#include <vector>

std::unique_ptr<Platform> make_desktop_platform();
std::vector<std::filesystem::path> bundled_skin_folders();
