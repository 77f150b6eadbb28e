// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_clock.h"

#include <windows.h>

std::uint64_t Win32Clock::now_ms() const
{
    return GetTickCount64();
}
