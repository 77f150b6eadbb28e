// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/button.h"

void Button::advance_glow(const Clock& clock, std::uint16_t glow_step)
{
    // A clock that went back counts as too soon, like a step within 10 ms.
    const auto elapsed = static_cast<std::int64_t>(clock.now_ms() - last_glow_ms_);
    if (elapsed <= 10)
        return;
    const float step = glow_step;
    if (hover_)
        glow_level_ = glow_level_ > 100.0f - step ? 100.0f : glow_level_ + step;
    else
        glow_level_ = step > glow_level_ ? 0.0f : glow_level_ - step;
    last_glow_ms_ = clock.now_ms();
}
