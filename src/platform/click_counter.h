// SPDX-License-Identifier: GPL-3.0-or-later
// ClickCounter: counts quick presses of one button in one spot, as SDL counts them for the
// SDL back end, so that every Linux back end finds double clicks alike: a press within 500 ms
// and 32 window pixels each way of the previous press continues its run, any other starts a
// new one. A press whose count is even is the second of a double click. UI thread only.
#pragma once

#include <cstdint>
#include <cstdlib>

class ClickCounter {
public:
    static constexpr std::uint64_t double_click_ms = 500;
    static constexpr int double_click_radius = 32;

    // Records a press at (x, y) at `time_ms`; returns how many presses its run has.
    int press(std::int32_t x, std::int32_t y, std::uint64_t time_ms)
    {
        const bool continues = count_ > 0 && time_ms - last_ms_ <= double_click_ms &&
                               std::abs(x - last_x_) <= double_click_radius && std::abs(y - last_y_) <= double_click_radius;
        count_ = continues ? count_ + 1 : 1;
        last_x_ = x;
        last_y_ = y;
        last_ms_ = time_ms;
        return count_;
    }

private:
    int count_ = 0;
    std::int32_t last_x_ = 0;
    std::int32_t last_y_ = 0;
    std::uint64_t last_ms_ = 0;
};
