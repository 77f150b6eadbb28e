#include "desktop/tool_platform.h"

#include "platform/sdl/sdl_fonts.h"

std::unique_ptr<FontSystem> ToolPlatform::create_font_system()
{
    if (real_fonts_)
        return std::make_unique<SdlFontSystem>();
    return headless_.create_font_system();
}
