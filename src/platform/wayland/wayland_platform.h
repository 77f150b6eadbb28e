// SPDX-License-Identifier: GPL-3.0-or-later
// WaylandPlatform: the platform on a Wayland compositor: the window, input and events of the
// Wayland back end; fonts, tray, media remote, libraries and clock as on the SDL back end
// (fontconfig and SDL2_ttf draw into memory, the tray and MPRIS speak D-Bus); sound through
// SDL's audio subsystem alone; the error box is a window of its own. SDL's own signal
// handlers stay off. One instance per process,
// UI thread only.
#pragma once

#include "platform/platform.h"
#include "platform/linux_services/desktop_tray.h"
#include "platform/linux_services/dl_libraries.h"
#include "platform/linux_services/mpris_service.h"
#include "platform/linux_services/sdl_clock.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_event_source.h"
#include "platform/wayland/wayland_input.h"

class WaylandPlatform final : public Platform {
public:
    // Connects to the compositor; throws SkinError saying why when it cannot be used.
    WaylandPlatform();
    ~WaylandPlatform() override;
    WaylandPlatform(const WaylandPlatform&) = delete;
    WaylandPlatform& operator=(const WaylandPlatform&) = delete;

    // The first output's size at 0, 0 (Wayland places windows itself).
    Rect desktop_rect() override;
    std::unique_ptr<Window> create_window(const WindowSpec& spec) override;
    EventSource& events() override { return events_; }
    const Clock& clock() override { return clock_; }
    Tray& tray() override { return tray_; }
    Libraries& libraries() override { return libraries_; }
    void message_box(const std::string& caption, const std::string& text,
                     const std::function<bool()>& give_up) override;
    std::unique_ptr<FontSystem> create_font_system() override;
    std::unique_ptr<AudioDevice> create_audio_device() override;
    MediaRemote* media_remote() override;

private:
    WaylandConnection connection_;
    WaylandEventSource events_{connection_};
    WaylandInput input_{connection_, events_};
    SdlClock clock_;
    DesktopTray tray_;
    DlLibraries libraries_;
    std::unique_ptr<MprisService> media_remote_;
    bool media_remote_tried_ = false;
};
