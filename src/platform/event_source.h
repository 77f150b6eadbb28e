// EventSource: the UI thread's queue of platform events and the one periodic timer.
// All members are called on the UI thread only.
#pragma once

#include "platform/event.h"

#include <chrono>
#include <optional>

class EventSource {
public:
    virtual ~EventSource() = default;

    // Blocks until the next event. While the timer runs, a timer_tick arrives whenever a
    // period has passed (ticks do not pile up). nullopt means the source has ended and no
    // event will ever come again (the headless source when its queue is empty).
    virtual std::optional<Event> wait_event() = 0;

    // Starts (or restarts) the periodic timer with the given period.
    virtual void start_timer(std::chrono::milliseconds period) = 0;
    // Stops the timer; no tick arrives afterwards. Harmless when it is not running.
    virtual void stop_timer() = 0;
};
