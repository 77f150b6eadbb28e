// SPDX-License-Identifier: GPL-3.0-or-later
// PageTimer: posts its command once per restart, at the first window-timer tick after its
// interval has passed. Created disarmed; `restart` arms it. Times are milliseconds of the
// player's Clock. Value type owned by its page; UI thread only.
#pragma once

#include "base/command.h"

#include <cstdint>
#include <optional>

class PageTimer {
public:
    PageTimer(std::uint64_t interval_ms, Command command) : interval_ms_(interval_ms), command_(command) {}

    // Starts the interval at `now_ms` and arms the timer.
    void restart(std::uint64_t now_ms)
    {
        start_ms_ = now_ms;
        fired_ = false;
        armed_ = true;
    }
    // Posts the command when the interval has run out and it has not been posted since the
    // last restart.
    void tick(std::uint64_t now_ms, CommandSink& sink);
    // The first clock time at which a tick posts, while armed.
    std::optional<std::uint64_t> due_ms() const
    {
        return armed_ ? std::optional<std::uint64_t>(start_ms_ + interval_ms_ + 1) : std::nullopt;
    }

private:
    std::uint64_t interval_ms_;
    Command command_;
    std::uint64_t start_ms_ = 0;
    bool fired_ = false;
    bool armed_ = false;
};
