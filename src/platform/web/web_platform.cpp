// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web/web_platform.h"

#include "base/desktop_text.h"
#include "platform/desktop_platform.h"
#include "platform/web/web_audio_device.h"
#include "platform/web/web_fonts.h"
#include "platform/web/web_window.h"

#include <emscripten.h>

namespace {

// Shows the page's error dialog and resolves when it is closed.
EM_ASYNC_JS(void, show_error_dialog, (const char* caption, const char* text), {
    await Module.vorlundePage.showError(UTF8ToString(caption), UTF8ToString(text));
});

EM_JS(void, show_closed, (), {
    Module.vorlundePage.closed();
});

} // namespace

WebPlatform::~WebPlatform()
{
    show_closed();
}

std::unique_ptr<Platform> make_desktop_platform()
{
    return std::make_unique<WebPlatform>();
}

Rect WebPlatform::desktop_rect()
{
    // The canvas sits in the page: a window's origin is the canvas's own.
    return Rect{0, 0, 0, 0};
}

std::unique_ptr<Window> WebPlatform::create_window(const WindowSpec& spec)
{
    return std::make_unique<WebWindow>(spec);
}

void WebPlatform::message_box(const std::string& caption, const std::string& text, const std::function<bool()>&)
{
    show_error_dialog(to_desktop_text(caption).c_str(), to_desktop_text(text).c_str());
}

std::unique_ptr<FontSystem> WebPlatform::create_font_system()
{
    return std::make_unique<WebFontSystem>();
}

std::unique_ptr<AudioDevice> WebPlatform::create_audio_device()
{
    return std::make_unique<WebAudioDevice>();
}
