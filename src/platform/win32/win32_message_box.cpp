// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_message_box.h"

#include <windows.h>

#include <atomic>
#include <thread>

namespace {

constexpr DWORD poll_period_ms = 10;

BOOL CALLBACK press_ok(HWND window, LPARAM)
{
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

} // namespace

void show_message_box(const std::wstring& caption, const std::wstring& text, const std::function<bool()>& give_up,
                      Win32EventSource& events)
{
    std::atomic<bool> closed = false;
    std::atomic<DWORD> box_thread = 0;
    std::thread box([&] {
        box_thread = GetCurrentThreadId();
        MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
        closed = true;
    });
    bool giving_up = false;
    while (!closed) {
        events.dispatch_queued();
        giving_up = giving_up || give_up();
        // Until the box's window exists there is nothing to press: asked again next time.
        if (giving_up && box_thread != 0)
            EnumThreadWindows(box_thread, press_ok, 0);
        MsgWaitForMultipleObjectsEx(0, nullptr, poll_period_ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    box.join();
}
