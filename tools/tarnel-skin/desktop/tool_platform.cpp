// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/tool_platform.h"

#ifdef _WIN32
#include "platform/win32/win32_fonts.h"
using DesktopFontSystem = Win32FontSystem;
#else
#include "platform/sdl/sdl_fonts.h"
using DesktopFontSystem = SdlFontSystem;
#endif

std::unique_ptr<FontSystem> ToolPlatform::create_font_system()
{
    if (real_fonts_)
        return std::make_unique<DesktopFontSystem>();
    return headless_.create_font_system();
}
