// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_event_source.h"

#include "base/skin_error.h"
#include "platform/win32/win32_window_owner.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <utility>

namespace {

constexpr wchar_t class_name[] = L"vorlunde wake-up";
constexpr UINT wake_message = WM_APP + 2;

// What the console's control handler reaches: the stop flag and the window to wake.
std::atomic<bool> stop_flag = false;
std::atomic<HWND> console_wake_window = nullptr;

BOOL WINAPI on_console_control(DWORD kind)
{
    if (kind != CTRL_C_EVENT && kind != CTRL_BREAK_EVENT && kind != CTRL_CLOSE_EVENT)
        return FALSE;
    stop_flag = true;
    const HWND window = console_wake_window;
    if (window)
        PostMessageW(window, wake_message, 0, 0);
    if (kind == CTRL_CLOSE_EVENT && window)
        console_wake_window.wait(window); // until the loop has ended and its source is gone
    return TRUE;
}

} // namespace

Win32EventSource::Win32EventSource()
{
    wake_window_ = create_hidden_window(class_name, &Win32EventSource::window_procedure, 0, HWND_MESSAGE, this);
    if (!wake_window_)
        throw SkinError("can't create the window");
    stop_flag = false;
    console_wake_window = wake_window_;
    SetConsoleCtrlHandler(on_console_control, TRUE);
}

Win32EventSource::~Win32EventSource()
{
    SetConsoleCtrlHandler(on_console_control, FALSE);
    console_wake_window = nullptr;
    console_wake_window.notify_all();
    stop_timer();
    destroy_hidden_window(wake_window_, class_name);
}

bool Win32EventSource::stop_requested() const
{
    return stop_flag;
}

bool Win32EventSource::take_reload_request()
{
    return std::exchange(reload_requested_, false);
}

UINT Win32EventSource::reload_message()
{
    static const UINT message = RegisterWindowMessageW(L"vorlunde-reload-skin");
    return message;
}

void Win32EventSource::request_reload()
{
    reload_requested_ = true;
    push(Event{.kind = EventKind::wake_up});
}

LRESULT CALLBACK Win32EventSource::window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    auto* self = window_owner<Win32EventSource>(window, message, lparam);
    if (self && message == wake_message) {
        self->wake_post_.taken();
        self->push(Event{.kind = EventKind::wake_up});
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void Win32EventSource::dispatch_queued()
{
    MSG message;
    while (!quit_seen_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            quit_seen_ = true;
        else
            DispatchMessageW(&message);
    }
}

std::optional<Event> Win32EventSource::wait_event()
{
    for (;;) {
        if (!pending_.empty()) {
            const Event event = pending_.front();
            pending_.pop_front();
            return event;
        }
        if (quit_seen_) // WM_QUIT: ask the program to end
            return Event{.kind = EventKind::close_request};
        const std::uint64_t now = TickSchedule::steady_now_ms();
        if (ticks_.take_due(now))
            return Event{.kind = EventKind::timer_tick};
        // Peeking also delivers messages sent from other threads and processes (the tray
        // icon's clicks), which may push an event without any posted message.
        dispatch_queued();
        if (!pending_.empty() || quit_seen_)
            continue;
        const auto wait = ticks_.wait_timeout(now);
        const DWORD timeout = wait ? static_cast<DWORD>(std::min<std::uint64_t>(*wait, INFINITE - 1)) : INFINITE;
        MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void Win32EventSource::start_timer(std::chrono::milliseconds period)
{
    if (!ticks_.running())
        timeBeginPeriod(1);
    ticks_.start(TickSchedule::steady_now_ms(), period);
}

void Win32EventSource::stop_timer()
{
    if (ticks_.running())
        timeEndPeriod(1);
    ticks_.stop();
}

void Win32EventSource::set_next_tick(std::optional<std::chrono::milliseconds> delay)
{
    ticks_.set_next(TickSchedule::steady_now_ms(), delay);
}

void Win32EventSource::wake_up()
{
    wake_post_.request([this] { return PostMessageW(wake_window_, wake_message, 0, 0) != 0; });
}
