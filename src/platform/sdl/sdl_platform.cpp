// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/sdl_platform.h"

#include "platform/sdl/x11_desktop.h"

#include "base/desktop_text.h"
#include "base/skin_error.h"
#include "platform/sdl_audio/sdl_audio_device.h"
#include "platform/linux_services/sdl_fonts.h"
#include "platform/sdl/sdl_message_box.h"
#include "platform/sdl/sdl_window.h"

#include <SDL.h>

#include <string>

SdlPlatform::SdlPlatform()
{
    // Shapes need X11, also under Wayland.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    // Without this SDL replaces the X window on the first surface call and loses its shape,
    // opacity and position; the software path also presents much faster.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Whole-window alpha needs the compositing manager to keep compositing the window.
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    events_.set_tray(&tray_);
}

SdlPlatform::~SdlPlatform()
{
    SDL_Quit();
}

void SdlPlatform::start_video()
{
    if (video_started_)
        return;
    // Before SDL's video starts too: SDL keeps the handler it finds as the one to put back
    // when it closes its display connections at the end, where an error still on its way (a
    // wake-up another thread sent to the window just destroyed) would otherwise end the
    // process with status 1. Again after, as SDL installs its own.
    X11Desktop::survive_protocol_errors();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw SkinError(std::string("can't open display: ") + SDL_GetError());
    X11Desktop::survive_protocol_errors();
    // Windows get per-pixel alpha where it shows: the cut-away parts are then clear also
    // where the compositor ignores window shapes (Xwayland under sway or weston).
    if (const auto visual = X11Desktop::argb_visual())
        SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, std::to_string(*visual).c_str());
    video_started_ = true;
}

Rect SdlPlatform::desktop_rect()
{
    start_video();
    SDL_Rect bounds{0, 0, 0, 0};
    SDL_GetDisplayBounds(0, &bounds);
    return Rect{bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h};
}

std::unique_ptr<Window> SdlPlatform::create_window(const WindowSpec& spec)
{
    start_video();
    return std::make_unique<SdlWindow>(spec, events_);
}

void SdlPlatform::message_box(const std::string& caption, const std::string& text,
                              const std::function<bool()>& give_up)
{
    show_message_box(to_desktop_text(caption), to_desktop_text(text), give_up);
}

std::unique_ptr<FontSystem> SdlPlatform::create_font_system()
{
    return std::make_unique<SdlFontSystem>();
}

std::unique_ptr<AudioDevice> SdlPlatform::create_audio_device()
{
    return std::make_unique<SdlAudioDevice>();
}

MediaRemote* SdlPlatform::media_remote()
{
    if (!media_remote_tried_) {
        media_remote_tried_ = true;
        media_remote_ = MprisService::connect();
        events_.set_media_remote(media_remote_.get());
    }
    return media_remote_.get();
}

std::unique_ptr<Libraries> make_desktop_libraries()
{
    return std::make_unique<DlLibraries>();
}

std::unique_ptr<FontSystem> make_desktop_font_system()
{
    return std::make_unique<SdlFontSystem>();
}
