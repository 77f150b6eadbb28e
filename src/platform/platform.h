// SPDX-License-Identifier: GPL-3.0-or-later
// Platform: the bundle of back-end services that the Player receives. The platform object
// outlives the Player; the references it hands out stay valid as long as it does.
// UI thread only.
//
// Back ends: SdlPlatform (platform/sdl, the Linux desktop), Win32Platform (platform/win32,
// the Windows desktop), HeadlessPlatform (platform/headless, in memory). A back end implements:
//   desktop_rect        the screen rectangle windows are centred on
//   create_window       the borderless main window (hidden until shown)
//   events              the event queue, the periodic timer and the system's stop requests
//   clock               the millisecond tick count
//   tray                the notification-area icon
//   libraries           shared-library loading
//   create_font_system  installed font files and text drawing
//   create_audio_device the sound output
//   message_box         a blocking error box with one OK button, no owner window, that a
//                       stop request (SIGTERM, SIGINT) can take down
//   media_remote        the desktop's media-player remote control, where there is one
#pragma once

#include "base/rect.h"
#include "platform/audio_device.h"
#include "platform/clock.h"
#include "platform/event_source.h"
#include "platform/fonts.h"
#include "platform/libraries.h"
#include "platform/media_remote.h"
#include "platform/tray.h"
#include "platform/window.h"

#include <functional>
#include <memory>
#include <string>

class Platform {
public:
    virtual ~Platform() = default;

    // The desktop's rectangle (right and bottom exclusive).
    virtual Rect desktop_rect() = 0;
    // Creates the main window, hidden. Throws SkinError when there is no display to use.
    virtual std::unique_ptr<Window> create_window(const WindowSpec& spec) = 0;
    virtual EventSource& events() = 0;
    virtual const Clock& clock() = 0;
    virtual Tray& tray() = 0;
    virtual Libraries& libraries() = 0;
    // The fonts of one player; the caller owns it and destroys every Font it made first.
    virtual std::unique_ptr<FontSystem> create_font_system() = 0;
    // The sound output of one player, closed; the caller owns it.
    virtual std::unique_ptr<AudioDevice> create_audio_device() = 0;
    // Shows `text` with `caption` (both skin byte strings) and waits until it is closed, or
    // until `give_up`, asked every few milliseconds while the box is up, answers true: the
    // box is then taken down and the call returns.
    virtual void message_box(const std::string& caption, const std::string& text,
                             const std::function<bool()>& give_up) = 0;
    // The media remote, connected on the first call; nullptr when the desktop offers none
    // (no session bus). Its requests arrive through events().
    virtual MediaRemote* media_remote() { return nullptr; }
};
