// SPDX-License-Identifier: GPL-3.0-or-later
// SdlPlatform: the platform on SDL2 for X11 desktops (under Wayland, through XWayland).
// The video subsystem starts with the first call that needs a display, so an error before
// the window exists can still be reported (message boxes work without it). SDL's own signal
// handlers stay off: the player handles SIGINT and SIGTERM itself. One instance per process,
// UI thread only.
#pragma once

#include "platform/platform.h"
#include "platform/linux_services/desktop_tray.h"
#include "platform/linux_services/dl_libraries.h"
#include "platform/linux_services/mpris_service.h"
#include "platform/linux_services/sdl_clock.h"
#include "platform/sdl/sdl_event_source.h"

class SdlPlatform final : public Platform {
public:
    SdlPlatform();
    ~SdlPlatform() override;
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    Rect desktop_rect() override;
    std::unique_ptr<Window> create_window(const WindowSpec& spec) override;
    EventSource& events() override { return events_; }
    const Clock& clock() override { return clock_; }
    Tray& tray() override { return tray_; }
    Libraries& libraries() override { return libraries_; }
    void message_box(const std::string& caption, const std::string& text,
                     const std::function<bool()>& give_up) override;
    // Fontconfig and SDL2_ttf fonts (SdlFontSystem); needs no display.
    std::unique_ptr<FontSystem> create_font_system() override;
    // SDL2's audio output (SdlAudioDevice), which starts SDL's audio subsystem when opened.
    std::unique_ptr<AudioDevice> create_audio_device() override;
    // MPRIS on the session bus (MprisService); nullptr without a session bus.
    MediaRemote* media_remote() override;

    // Starts SDL's video subsystem once (the first call that needs a display does); throws
    // SkinError when there is no display.
    void start_video();

private:
    bool video_started_ = false;
    SdlEventSource events_;
    SdlClock clock_;
    DesktopTray tray_;
    DlLibraries libraries_;
    std::unique_ptr<MprisService> media_remote_;
    bool media_remote_tried_ = false;
};
