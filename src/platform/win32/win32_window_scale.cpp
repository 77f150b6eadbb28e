// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_window_scale.h"

int choose_win32_window_scale(std::string_view vorlunde_scale, unsigned dpi)
{
    if (vorlunde_scale == "1" || vorlunde_scale == "2")
        return vorlunde_scale == "2" ? 2 : 1;
    return dpi >= 192 ? 2 : 1;
}

unsigned window_dpi(HWND window)
{
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    if (const HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
        const auto get_dpi = reinterpret_cast<GetDpiForWindowFunction>(
            reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
        if (get_dpi) {
            if (const UINT dpi = get_dpi(window))
                return dpi;
        }
    }
    const HDC screen = GetDC(nullptr);
    if (!screen)
        return 96;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<unsigned>(dpi) : 96;
}
