// SPDX-License-Identifier: GPL-3.0-or-later
// TickSchedule: the periodic timer of an event source as a deadline of its wait (no timer
// thread). Times are milliseconds of steady_now_ms, handed in by the caller.
// A tick is due whenever a period has passed; at most one is taken per check and late ticks
// are not made up; set_next moves the next tick (or drops it: the wait then sleeps until an
// event), ticks after it follow at the period. A value type; UI thread only.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

class TickSchedule {
public:
    // The time base of every event source's schedule: milliseconds of the steady clock (on
    // Linux the one poll's timeouts count in; finer than GetTickCount64 on Windows), rounded
    // down, so a wait of wait_timeout() from `now_ms` ends no sooner than the tick is due.
    // (SDL_GetTicks64 rounds some readings up: a tick then came due a millisecond after its
    // wait ended, which cost a second sleep.)
    static std::uint64_t steady_now_ms();

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
