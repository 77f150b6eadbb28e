// SPDX-License-Identifier: GPL-3.0-or-later
// WebClock: milliseconds of the browser's monotonic clock (performance.now()).
#pragma once

#include "platform/clock.h"

class WebClock final : public Clock {
public:
    std::uint64_t now_ms() const override;
};
