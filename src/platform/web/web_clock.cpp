// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web/web_clock.h"

#include <emscripten.h>

std::uint64_t WebClock::now_ms() const
{
    return static_cast<std::uint64_t>(emscripten_get_now());
}
