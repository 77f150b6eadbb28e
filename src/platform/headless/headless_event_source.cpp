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
        return Event{.kind = EventKind::timer_tick};
    }
    return entry.event;
}

void HeadlessEventSource::start_timer(std::chrono::milliseconds period)
{
    timer_running_ = true;
    log_.push_back("timer start " + std::to_string(period.count()));
}

void HeadlessEventSource::stop_timer()
{
    timer_running_ = false;
    log_.push_back("timer stop");
}
