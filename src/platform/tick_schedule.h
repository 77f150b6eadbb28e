// SPDX-License-Identifier: GPL-3.0-or-later
// TickSchedule: the periodic timer of an event source as a deadline of its wait (no timer
// thread). Times are milliseconds of the back end's steady clock, handed in by the caller.
// A tick is due whenever a period has passed; at most one is taken per check and late ticks
// are not made up; set_next moves the next tick (or drops it: the wait then sleeps until an
// event), ticks after it follow at the period. A value type; UI thread only.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

class TickSchedule {
public:
    // Starts (or restarts) the timer: the first tick is due one period (at least 1 ms) from now.
    void start(std::uint64_t now_ms, std::chrono::milliseconds period);
    void stop() { running_ = false; }
    bool running() const { return running_; }
    // The next tick is due `delay` (clamped at 0) from now; none at all for nullopt.
    void set_next(std::uint64_t now_ms, std::optional<std::chrono::milliseconds> delay);
    // True when a tick is due at `now_ms`; the schedule then moves on to the following one.
    bool take_due(std::uint64_t now_ms);
    // How long the wait may sleep from `now_ms` before the next tick; nullopt: until an event.
    std::optional<std::uint64_t> wait_timeout(std::uint64_t now_ms) const;

private:
    bool running_ = false;
    std::uint64_t period_ms_ = 0;
    std::optional<std::uint64_t> next_tick_ms_; // none: no tick due
};
