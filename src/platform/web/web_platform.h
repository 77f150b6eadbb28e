// SPDX-License-Identifier: GPL-3.0-or-later
// WebPlatform: the platform in a web page (Emscripten). The window is a canvas, events come
// from the page's listeners, the clock is the browser's, sound goes through Web Audio, fonts
// are drawn by FreeType, the media remote is the browser's media session, plug-ins are those
// built in, and the error box is an HTML dialog. There is no tray: putting the window away
// does nothing. The page (web/player.js) must be loaded before the player starts; it shows
// the "closed" state when the player's main returns. One instance, main thread only.
#pragma once

#include "platform/platform.h"
#include "platform/web/web_clock.h"
#include "platform/web/web_event_source.h"
#include "platform/web/web_libraries.h"
#include "platform/web/web_media_remote.h"

class WebPlatform final : public Platform {
public:
    WebPlatform() = default;
    // Tells the page that the player has closed.
    ~WebPlatform() override;
    WebPlatform(const WebPlatform&) = delete;
    WebPlatform& operator=(const WebPlatform&) = delete;

    Rect desktop_rect() override;
    std::unique_ptr<Window> create_window(const WindowSpec& spec) override;
    EventSource& events() override { return events_; }
    const Clock& clock() override { return clock_; }
    Tray& tray() override { return tray_; }
    Libraries& libraries() override { return libraries_; }
    // Shows the dialog and gives control back to the browser until its OK is pressed.
    void message_box(const std::string& caption, const std::string& text,
                     const std::function<bool()>& give_up) override;
    std::unique_ptr<FontSystem> create_font_system() override;
    std::unique_ptr<AudioDevice> create_audio_device() override;
    MediaRemote* media_remote() override { return &media_remote_; }

private:
    // No notification area in a page.
    class NoTray final : public Tray {
    public:
        void show_icon(const std::string&) override {}
        void remove_icon() override {}
        void pop_menu(std::span<const TrayMenuEntry>) override {}
    };

    WebEventSource events_;
    WebClock clock_;
    NoTray tray_;
    WebLibraries libraries_;
    WebMediaRemote media_remote_;
};
