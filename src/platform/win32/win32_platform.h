// SPDX-License-Identifier: GPL-3.0-or-later
// Win32Platform: the platform on the Win32 API: the native window and message loop, the
// notification-area icon, GDI fonts, LoadLibraryW; SDL2 only for the sound output, so the
// engine and its device are the same as on Linux (SDL_AUDIODRIVER=disk captures it).
// The program is a GUI program: when its standard error has no handle (started from a
// console, not redirected) it attaches to its parent's console and writes there.
// One instance per process, UI thread only.
#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_event_source.h"
#include "platform/win32/win32_libraries.h"
#include "platform/win32/win32_media_keys.h"
#include "platform/win32/win32_tray.h"

#include <optional>

class Win32Platform final : public Platform {
public:
    Win32Platform();
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    // The work area of the primary monitor.
    Rect desktop_rect() override;
    std::unique_ptr<Window> create_window(const WindowSpec& spec) override;
    EventSource& events() override { return events_; }
    const Clock& clock() override { return clock_; }
    Tray& tray() override { return tray_; }
    Libraries& libraries() override { return libraries_; }
    // MessageBoxW with an error icon and no owner (show_message_box).
    void message_box(const std::string& caption, const std::string& text,
                     const std::function<bool()>& give_up) override;
    std::unique_ptr<FontSystem> create_font_system() override;
    std::unique_ptr<AudioDevice> create_audio_device() override;
    // The media keys (Win32MediaKeys), registered on the first call. Windows' fuller media
    // remote (the system media transport controls) is a Windows Runtime interface, which this
    // back end does not use.
    MediaRemote* media_remote() override;

private:
    Win32EventSource events_;
    Win32Clock clock_;
    Win32Tray tray_;
    Win32Libraries libraries_;
    std::optional<Win32MediaKeys> media_keys_;
};
