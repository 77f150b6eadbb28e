// SPDX-License-Identifier: GPL-3.0-or-later
// Clock: the millisecond tick count that every fade, glow and page timer reads.
// Back ends: the SDL clock (real time) and the headless ManualClock that tests advance.
#pragma once

#include <cstdint>

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; never decreases.
    virtual std::uint64_t now_ms() const = 0;
};
