// SPDX-License-Identifier: GPL-3.0-or-later
// SdlClock: the real millisecond tick count (SDL_GetTicks64).
#pragma once

#include "platform/clock.h"

class SdlClock final : public Clock {
public:
    std::uint64_t now_ms() const override;
};
