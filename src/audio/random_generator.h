// SPDX-License-Identifier: GPL-3.0-or-later
// RandomGenerator: the classic C runtime's linear congruential generator, never seeded, so
// every run of the player draws the same sequence (and the same commands give the same
// random track choices). Not thread-safe: owned by the engine, used under its lock.
#pragma once

#include <cstdint>

class RandomGenerator {
public:
    // The next draw, 0 to 32767: seed = seed × 214013 + 2531011 (mod 2^32), r = (seed >> 16) & 0x7FFF.
    int next()
    {
        seed_ = seed_ * 214013u + 2531011u;
        return static_cast<int>((seed_ >> 16) & 0x7FFFu);
    }

    static constexpr int max = 0x7FFF;

    bool operator==(const RandomGenerator&) const = default;

private:
    std::uint32_t seed_ = 1;
};
