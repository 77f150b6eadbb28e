// SPDX-License-Identifier: GPL-3.0-or-later
// Win32Clock: the real millisecond tick count (GetTickCount64). Any thread.
#pragma once

#include "platform/clock.h"

class Win32Clock final : public Clock {
public:
    std::uint64_t now_ms() const override;
};
