// SPDX-License-Identifier: GPL-3.0-or-later
// HeadlessEventSource: an EventSource that hands out the events a test queued, in order, and
// then ends (wait_event returns nullopt). A queued action runs when it is reached and stands
// for one timer_tick. The timer is a TickSchedule on the given clock, as in the desktop back
// ends: wait_timeout says how long their wait would sleep now (the queue still sets the pace).
// Timer starts and stops go to the CallLog. request_stop and request_reload stand for the
// system's stop and reload requests (signals). Not thread-safe, except wake_up, which only
// counts, and the requests.
#pragma once

#include "platform/clock.h"
#include "platform/event_source.h"
#include "platform/headless/call_log.h"
#include "platform/tick_schedule.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>

class HeadlessEventSource final : public EventSource {
public:
    // `log` and `clock` must outlive the source.
    HeadlessEventSource(CallLog& log, const Clock& clock) : log_(log), clock_(clock) {}

    void push(const Event& event) { queue_.push_back(Entry{event, {}}); }
    // Queues `action`; when reached it runs and a timer_tick is returned in its place.
    void push_action(std::function<void()> action) { queue_.push_back(Entry{Event{}, std::move(action)}); }
    std::size_t pending() const { return queue_.size(); }
    bool timer_running() const { return ticks_.running(); }

    std::optional<Event> wait_event() override;
    void start_timer(std::chrono::milliseconds period) override;
    void stop_timer() override;
    void set_next_tick(std::optional<std::chrono::milliseconds> delay) override;
    void wake_up() override { ++wake_ups_; }
    bool stop_requested() const override { return stop_requested_; }
    // As the system's stop request: raises stop_requested and wakes the loop.
    void request_stop()
    {
        stop_requested_ = true;
        wake_up();
    }
    bool take_reload_request() override { return reload_requested_.exchange(false); }
    // As the system's request to load the skin again: raises the request and wakes the loop.
    void request_reload()
    {
        reload_requested_ = true;
        wake_up();
    }

    // The delay of the last set_next_tick (nullopt: no tick due), and the wake_up calls so far.
    std::optional<std::chrono::milliseconds> next_tick() const { return next_tick_; }
    // How long a desktop back end's wait would sleep at the clock's now before the next tick;
    // nullopt: until an event.
    std::optional<std::uint64_t> wait_timeout() const { return ticks_.wait_timeout(clock_.now_ms()); }
    int wake_ups() const { return wake_ups_; }

private:
    struct Entry {
        Event event;
        std::function<void()> action;
    };

    CallLog& log_;
    const Clock& clock_;
    std::deque<Entry> queue_;
    TickSchedule ticks_;
    std::optional<std::chrono::milliseconds> next_tick_;
    std::atomic<int> wake_ups_ = 0;
    std::atomic<bool> stop_requested_ = false;
    std::atomic<bool> reload_requested_ = false;
};
