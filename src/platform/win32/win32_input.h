// SPDX-License-Identifier: GPL-3.0-or-later
// translate_input: the main window's input and state messages as Events, pushed onto the
// event source. Mouse coordinates are skin pixels: client pixels divided by the window's
// `scale` (the wheel's are on the screen, as Windows gives them, with their distance from the
// window's corner divided likewise); the key-state word is Windows' own MK_ bits, which Event's bits copy;
// keys are the virtual-key codes of WM_KEYDOWN/WM_SYSKEYDOWN unchanged. A left double click
// (the class has CS_DBLCLKS) becomes its button_down followed by double_click.
// Returns true when the message was one of these. UI thread only.
#pragma once

#include "platform/win32/win32_event_source.h"

#include <windows.h>

bool translate_input(HWND window, int scale, UINT message, WPARAM wparam, LPARAM lparam, Win32EventSource& events);
