// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/wayland_platform.h"

#include "platform/wayland/wayland_message_box.h"
#include "platform/wayland/wayland_window.h"

#include "base/desktop_text.h"
#include "platform/linux_services/sdl_fonts.h"
#include "platform/sdl_audio/sdl_audio_device.h"

#include <SDL.h>

WaylandPlatform::WaylandPlatform()
{
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    events_.set_tray(&tray_);
}

WaylandPlatform::~WaylandPlatform()
{
    SDL_Quit();
}

Rect WaylandPlatform::desktop_rect()
{
    return Rect{0, 0, connection_.first_output_width(), connection_.first_output_height()};
}

std::unique_ptr<Window> WaylandPlatform::create_window(const WindowSpec& spec)
{
    return std::make_unique<WaylandWindow>(spec, connection_, events_, input_);
}

void WaylandPlatform::message_box(const std::string& caption, const std::string& text,
                                  const std::function<bool()>& give_up)
{
    SdlFontSystem fonts;
    show_wayland_message_box(connection_, events_, input_, fonts, to_desktop_text(caption), to_desktop_text(text),
                             give_up);
}

std::unique_ptr<FontSystem> WaylandPlatform::create_font_system()
{
    return std::make_unique<SdlFontSystem>();
}

std::unique_ptr<AudioDevice> WaylandPlatform::create_audio_device()
{
    return std::make_unique<SdlAudioDevice>();
}

MediaRemote* WaylandPlatform::media_remote()
{
    if (!media_remote_tried_) {
        media_remote_tried_ = true;
        media_remote_ = MprisService::connect();
        events_.set_media_remote(media_remote_.get());
    }
    return media_remote_.get();
}
