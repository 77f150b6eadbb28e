// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/headless_event_source.h"

#include <string>

std::optional<Event> HeadlessEventSource::wait_event()
{
    if (queue_.empty())
        return std::nullopt;
    Entry entry = std::move(queue_.front());
    queue_.pop_front();
    if (entry.action) {
        entry.action();
        ticks_.take_due(clock_.now_ms()); // the action stands for the tick: the schedule moves on
        return Event{.kind = EventKind::timer_tick};
    }
    return entry.event;
}

void HeadlessEventSource::start_timer(std::chrono::milliseconds period)
{
    ticks_.start(clock_.now_ms(), period);
    log_.push_back("timer start " + std::to_string(period.count()));
}

void HeadlessEventSource::stop_timer()
{
    ticks_.stop();
    log_.push_back("timer stop");
}

void HeadlessEventSource::set_next_tick(std::optional<std::chrono::milliseconds> delay)
{
    next_tick_ = delay;
    ticks_.set_next(clock_.now_ms(), delay);
}
