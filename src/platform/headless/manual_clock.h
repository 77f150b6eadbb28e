// SPDX-License-Identifier: GPL-3.0-or-later
// ManualClock: a Clock that stands still until the test moves it.
#pragma once

#include "platform/clock.h"

class ManualClock final : public Clock {
public:
    explicit ManualClock(std::uint64_t start_ms = 0) : now_(start_ms) {}

    std::uint64_t now_ms() const override { return now_; }
    void advance(std::uint64_t ms) { now_ += ms; }
    void set(std::uint64_t ms) { now_ = ms; }

private:
    std::uint64_t now_;
};
