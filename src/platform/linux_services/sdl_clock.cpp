// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/sdl_clock.h"

#include <SDL.h>

std::uint64_t SdlClock::now_ms() const
{
    return SDL_GetTicks64();
}
