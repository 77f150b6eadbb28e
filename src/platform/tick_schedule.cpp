// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tick_schedule.h"

#include <algorithm>

namespace {

std::uint64_t at_least(std::chrono::milliseconds duration, std::chrono::milliseconds::rep least)
{
    return static_cast<std::uint64_t>(std::max(duration.count(), least));
}

} // namespace

std::uint64_t TickSchedule::steady_now_ms()
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void TickSchedule::start(std::uint64_t now_ms, std::chrono::milliseconds period)
{
    running_ = true;
    period_ms_ = at_least(period, 1);
    next_tick_ms_ = now_ms + period_ms_;
}

void TickSchedule::set_next(std::uint64_t now_ms, std::optional<std::chrono::milliseconds> delay)
{
    if (delay)
        next_tick_ms_ = now_ms + at_least(*delay, 0);
    else
        next_tick_ms_.reset();
}

bool TickSchedule::take_due(std::uint64_t now_ms)
{
    if (!running_ || !next_tick_ms_ || now_ms < *next_tick_ms_)
        return false;
    next_tick_ms_ = std::max(*next_tick_ms_ + period_ms_, now_ms + 1);
    return true;
}

std::optional<std::uint64_t> TickSchedule::wait_timeout(std::uint64_t now_ms) const
{
    if (!running_ || !next_tick_ms_)
        return std::nullopt;
    return *next_tick_ms_ > now_ms ? *next_tick_ms_ - now_ms : 0;
}
