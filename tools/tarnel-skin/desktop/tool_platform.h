// SPDX-License-Identifier: GPL-3.0-or-later
// ToolPlatform: the skin tool's platform. Windows, events, clock, tray and message boxes stay
// in memory (HeadlessPlatform: nothing is shown, no sound is made), while plug-in libraries
// are really loaded and, when asked, fonts are real, so that rendered pages show real text:
// both come from the desktop back end the tool is linked with (make_desktop_libraries,
// make_desktop_font_system). Its window shows frames at `frame_scale` (1, or 2 as a screen of
// twice the density does).
// UI thread only.
#pragma once

#include "platform/desktop_platform.h"
#include "platform/headless/headless_platform.h"

class ToolPlatform final : public Platform {
public:
    ToolPlatform(bool layered, bool real_fonts, int frame_scale = 1)
        : headless_(layered, Rect{0, 0, 1024, 768}, frame_scale), libraries_(make_desktop_libraries()), real_fonts_(real_fonts)
    {
    }

    Rect desktop_rect() override { return headless_.desktop_rect(); }
    std::unique_ptr<Window> create_window(const WindowSpec& spec) override { return headless_.create_window(spec); }
    EventSource& events() override { return headless_.events(); }
    const Clock& clock() override { return headless_.clock(); }
    Tray& tray() override { return headless_.tray(); }
    Libraries& libraries() override { return *libraries_; }
    void message_box(const std::string& caption, const std::string& text,
                     const std::function<bool()>& give_up) override
    {
        headless_.message_box(caption, text, give_up);
    }
    std::unique_ptr<FontSystem> create_font_system() override
    {
        return real_fonts_ ? make_desktop_font_system() : headless_.create_font_system();
    }
    std::unique_ptr<AudioDevice> create_audio_device() override { return headless_.create_audio_device(); }

    // The clock, which stands still until the tool moves it.
    ManualClock& manual_clock() { return headless_.manual_clock(); }

private:
    HeadlessPlatform headless_;
    std::unique_ptr<Libraries> libraries_;
    bool real_fonts_;
};
