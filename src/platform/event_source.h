// SPDX-License-Identifier: GPL-3.0-or-later
// EventSource: the UI thread's queue of platform events, the one periodic timer (its timing
// is a TickSchedule) and the system's requests to the program (stop: SIGINT and SIGTERM, a
// console's Ctrl+C, Ctrl+Break or closing; reload the skin: SIGHUP, or the registered window
// message on Windows). Back ends: SdlEventSource, WaylandEventSource, Win32EventSource,
// HeadlessEventSource, WebEventSource. All members are called on the UI thread only, except
// wake_up and stop_requested.
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
    // While the timer runs: the next timer_tick is due `delay` from now instead of at the
    // next period, or none at all for nullopt; ticks after it follow at the period. The main
    // loop sleeps this way while nothing on the screen moves.
    virtual void set_next_tick(std::optional<std::chrono::milliseconds> delay) = 0;
    // Makes a waiting (or the next) wait_event return a wake_up event at once; several calls
    // before it returns give one event. Safe from any thread.
    virtual void wake_up() = 0;
    // True once the system asked the program to stop; a waiting wait_event then returns a
    // wake_up event. Stays true. Safe from any thread.
    virtual bool stop_requested() const = 0;
    // True when the system asked the program to load its skin again since the last call
    // (which takes the request); a waiting wait_event then returns a wake_up event. Several
    // requests before the call count as one. Back ends that receive no such request keep
    // this default.
    virtual bool take_reload_request() { return false; }
};
