// SPDX-License-Identifier: GPL-3.0-or-later
// Random: a small deterministic generator (SplitMix64) so that the demo's music and art come
// out byte for byte the same on every machine and standard library. A value type.
#pragma once

#include <cstdint>

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    // The next 64 random bits.
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A whole number in [0, count); count > 0.
    int below(int count) { return static_cast<int>(next() % static_cast<std::uint64_t>(count)); }

    // A number in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

    // True with the given probability.
    bool chance(double probability) { return unit() < probability; }

private:
    std::uint64_t state_;
};
