// SPDX-License-Identifier: GPL-3.0-or-later
// The factor at which the main window shows the skin on a high-density screen (the program
// is per-monitor DPI aware through its manifest, so Windows does not stretch it itself):
// choose_win32_window_scale gives 2 when VORLUNDE_SCALE is "2", or, when VORLUNDE_SCALE is not
// "1" or "2", when the screen has 192 DPI or more; else 1. window_dpi: the DPI of the monitor
// a window is on (GetDpiForWindow, looked up in user32 at run time), else the screen's
// (LOGPIXELSX). UI thread only.
#pragma once

#include <windows.h>

#include <string_view>

int choose_win32_window_scale(std::string_view vorlunde_scale, unsigned dpi);
unsigned window_dpi(HWND window);
