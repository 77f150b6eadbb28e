// SPDX-License-Identifier: GPL-3.0-or-later
// SdlEventSource: platform events from SDL's queue, and the periodic timer as a deadline of
// the wait (no timer thread): a timer_tick is returned whenever a period has passed, at most
// one per wait, late ticks are not made up; with no tick due the wait sleeps until an event.
// wake_up pushes an SDL user event (the only one this program uses), which wakes the wait;
// a push that fails is tried again at the next wake_up (WakeUpPost).
// The tray's and the media remote's connections and the stop signals' pipe (StopSignalPipe:
// SIGINT, SIGTERM, SIGHUP) are read before each wait; while it sleeps a ConnectionWatcher
// wakes it when they bring data.
// While the window follows the pointer itself (SdlWindow::dragging) pointer moves drag it
// and the left release ends the drag; neither reaches the player. UI thread only, except
// wake_up.
#pragma once

#include "platform/event_source.h"
#include "platform/sdl/connection_watcher.h"
#include "platform/linux_services/desktop_tray.h"
#include "platform/linux_services/mpris_service.h"
#include "platform/sdl/sdl_window.h"
#include "platform/linux_services/stop_signal_pipe.h"
#include "platform/tick_schedule.h"
#include "platform/wake_up_post.h"

#include <SDL.h>

#include <vector>

class SdlEventSource final : public EventSource {
public:
    std::optional<Event> wait_event() override;
    void start_timer(std::chrono::milliseconds period) override;
    void stop_timer() override;
    void set_next_tick(std::optional<std::chrono::milliseconds> delay) override;
    void wake_up() override;
    bool stop_requested() const override { return stop_signals_.stop_requested(); }
    bool take_reload_request() override { return stop_signals_.take_reload_request(); }

    // The window whose events are delivered (nullptr: none). Set by the platform.
    void set_window(SdlWindow* window) { window_ = window; }
    // The tray whose events are delivered (nullptr: none). Set by the platform.
    void set_tray(DesktopTray* tray) { tray_ = tray; }
    // The media remote whose requests are delivered (nullptr: none). Set by the platform.
    void set_media_remote(MprisService* remote) { media_remote_ = remote; }

private:
    std::optional<Event> translate(const SDL_Event& event);
    std::vector<int> connection_sockets() const;

    SdlWindow* window_ = nullptr;
    DesktopTray* tray_ = nullptr;
    MprisService* media_remote_ = nullptr;
    TickSchedule ticks_;
    WakeUpPost wake_post_; // a wake-up event is in SDL's queue
    StopSignalPipe stop_signals_;
    std::optional<Event> pending_; // the double_click that follows its button_down
    ConnectionWatcher watcher_{[this] { wake_up(); }}; // last: its thread calls wake_up
};
