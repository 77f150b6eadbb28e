// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop back end the program is linked with (on Linux Wayland or SDL2/X11, chosen at
// start-up; Win32 on Windows):
//   make_desktop_platform     its whole platform; the entry point calls it once. Throws
//                             SkinError, saying why in one line, when the back end that
//                             VORLUNDE_BACKEND names cannot start
//   make_desktop_libraries    its plug-in loading alone (dlopen, LoadLibraryW)
//   make_desktop_font_system  its fonts alone (fontconfig and SDL2_ttf, GDI), which need no
//                             display: for a program that draws skins off screen (the skin tool)
// The caller owns the results. UI thread only.
#pragma once

#include "platform/platform.h"

#include <memory>

std::unique_ptr<Platform> make_desktop_platform();
std::unique_ptr<Libraries> make_desktop_libraries();
std::unique_ptr<FontSystem> make_desktop_font_system();
