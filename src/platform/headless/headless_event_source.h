// HeadlessEventSource: an EventSource that hands out the events a test queued, in order, and
// then ends (wait_event returns nullopt). A queued action runs when it is reached and stands
// for one timer_tick. Timer starts and stops go to the CallLog. Not thread-safe.
#pragma once

#include "platform/event_source.h"
#include "platform/headless/call_log.h"

#include <cstddef>
#include <deque>
#include <functional>

class HeadlessEventSource final : public EventSource {
public:
    explicit HeadlessEventSource(CallLog& log) : log_(log) {}

    void push(const Event& event) { queue_.push_back(Entry{event, {}}); }
    // Queues `action`; when reached it runs and a timer_tick is returned in its place.
    void push_action(std::function<void()> action) { queue_.push_back(Entry{Event{}, std::move(action)}); }
    std::size_t pending() const { return queue_.size(); }
    bool timer_running() const { return timer_running_; }

    std::optional<Event> wait_event() override;
    void start_timer(std::chrono::milliseconds period) override;
    void stop_timer() override;

private:
    struct Entry {
        Event event;
        std::function<void()> action;
    };

    CallLog& log_;
    std::deque<Entry> queue_;
    bool timer_running_ = false;
};
