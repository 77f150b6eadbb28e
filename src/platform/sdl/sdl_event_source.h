// SdlEventSource: platform events from SDL's queue, and the periodic timer as a deadline of
// the wait (no timer thread): a timer_tick is returned whenever a period has passed, at most
// one per wait, late ticks are not made up. While the window follows the pointer itself
// (SdlWindow::dragging) pointer moves drag it and the left release ends the drag; neither
// reaches the player. UI thread only.
#pragma once

#include "platform/event_source.h"
#include "platform/sdl/desktop_tray.h"
#include "platform/sdl/mpris_service.h"
#include "platform/sdl/sdl_window.h"

#include <SDL.h>

#include <cstdint>

class SdlEventSource final : public EventSource {
public:
    std::optional<Event> wait_event() override;
    void start_timer(std::chrono::milliseconds period) override;
    void stop_timer() override;

    // The window whose events are delivered (nullptr: none). Set by the platform.
    void set_window(SdlWindow* window) { window_ = window; }
    // The tray whose events are delivered (nullptr: none). Set by the platform.
    void set_tray(DesktopTray* tray) { tray_ = tray; }
    // The media remote whose requests are delivered (nullptr: none). Set by the platform.
    void set_media_remote(MprisService* remote) { media_remote_ = remote; }

private:
    std::optional<Event> translate(const SDL_Event& event);

    SdlWindow* window_ = nullptr;
    DesktopTray* tray_ = nullptr;
    MprisService* media_remote_ = nullptr;
    bool timer_running_ = false;
    std::uint64_t period_ms_ = 0;
    std::uint64_t next_tick_ms_ = 0;
    std::optional<Event> pending_; // the double_click that follows its button_down
};
