// SPDX-License-Identifier: GPL-3.0-or-later
// WebEventSource: the player's events in the browser. The page's listeners (web/player.js)
// hand pointer, wheel, key, close and media-session events to the exported functions below,
// which queue them; wait_event returns the oldest, or gives control back to the browser until
// one comes or the next timer tick is due (the Asyncify-suspended wait of wait_for_browser).
// The periodic timer is a deadline of that wait (a TickSchedule on the browser's clock). No
// stop requests come in a page. Main thread only (the browser runs the page, the player and the sound on one thread).
#pragma once

#include "platform/event_source.h"
#include "platform/tick_schedule.h"
#include "platform/web/web_clock.h"

#include <deque>

class WebEventSource final : public EventSource {
public:
    // Tells the page where to deliver its events; it must not deliver any after destruction.
    WebEventSource();
    ~WebEventSource() override;
    WebEventSource(const WebEventSource&) = delete;
    WebEventSource& operator=(const WebEventSource&) = delete;

    std::optional<Event> wait_event() override;
    void start_timer(std::chrono::milliseconds period) override;
    void stop_timer() override;
    void set_next_tick(std::optional<std::chrono::milliseconds> delay) override;
    void wake_up() override;
    bool stop_requested() const override { return false; }

    // An event from the page; the wait returns it.
    void push(const Event& event);

private:
    std::deque<Event> queue_;
    bool wake_pending_ = false;
    WebClock clock_;
    TickSchedule ticks_;
};
