// SPDX-License-Identifier: GPL-3.0-or-later
// WaylandEventSource: the player's events on Wayland. The compositor's events are turned into
// `Event`s by the listeners of the window and the seat, which push() them here; wait_event
// hands them out in order. Between them it sleeps in poll() on the compositor's socket, an
// eventfd that wake_up writes (WakeUpPost), the stop signals' pipe (StopSignalPipe: SIGINT,
// SIGTERM, which wake it up) and the sockets of the tray and the media remote (read before
// each wait), until the next timer tick (TickSchedule) or key repeat is due. A compositor
// that goes away turns into close_request events. UI thread only, except wake_up and
// stop_requested.
#pragma once

#include "platform/event_source.h"
#include "platform/linux_services/desktop_tray.h"
#include "platform/linux_services/mpris_service.h"
#include "platform/linux_services/stop_signal_pipe.h"
#include "platform/tick_schedule.h"
#include "platform/wake_up_post.h"

#include <cstdint>
#include <deque>

class WaylandConnection;

class WaylandEventSource final : public EventSource {
public:
    // Throws std::system_error when the eventfd or the stop signals' pipe cannot be made.
    explicit WaylandEventSource(WaylandConnection& connection);
    ~WaylandEventSource() override;
    WaylandEventSource(const WaylandEventSource&) = delete;
    WaylandEventSource& operator=(const WaylandEventSource&) = delete;

    std::optional<Event> wait_event() override;
    void start_timer(std::chrono::milliseconds period) override;
    void stop_timer() override;
    void set_next_tick(std::optional<std::chrono::milliseconds> delay) override;
    void wake_up() override;
    bool stop_requested() const override { return stop_signals_.stop_requested(); }
    bool take_reload_request() override { return stop_signals_.take_reload_request(); }

    // Queues an event for wait_event (listeners on the UI thread).
    void push(const Event& event) { queue_.push_back(event); }
    // Repeats key_down of `key` after `delay_ms`, then every `interval_ms`, until stop_repeat.
    void start_repeat(std::uint16_t key, std::uint32_t delay_ms, std::uint32_t interval_ms);
    void stop_repeat() { repeat_key_ = 0; }

    // The tray and the media remote whose events are delivered (nullptr: none).
    void set_tray(DesktopTray* tray) { tray_ = tray; }
    void set_media_remote(MprisService* remote) { media_remote_ = remote; }

private:
    // Sleeps until the compositor, a connection or wake_up has something, or `timeout_ms`
    // (negative: no limit) has passed, and dispatches what the compositor sent.
    void sleep(int timeout_ms);

    WaylandConnection& connection_;
    std::deque<Event> queue_;
    DesktopTray* tray_ = nullptr;
    MprisService* media_remote_ = nullptr;
    TickSchedule ticks_;
    std::uint16_t repeat_key_ = 0;              // 0: no key repeats
    std::uint64_t next_repeat_ms_ = 0;
    std::uint32_t repeat_interval_ms_ = 0;
    int wake_fd_ = -1;
    WakeUpPost wake_post_; // the eventfd holds a wake-up
    StopSignalPipe stop_signals_;
};
