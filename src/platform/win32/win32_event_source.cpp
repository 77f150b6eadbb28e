// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_event_source.h"

#include "base/skin_error.h"
#include "platform/win32/win32_window_owner.h"

#include <algorithm>

namespace {

constexpr wchar_t class_name[] = L"vorlunde wake-up";
constexpr UINT wake_message = WM_APP + 2;

// Milliseconds of a steady clock finer than GetTickCount64's 10 to 16 ms steps.
std::uint64_t now_ms()
{
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

} // namespace

Win32EventSource::Win32EventSource()
{
    wake_window_ = create_hidden_window(class_name, &Win32EventSource::window_procedure, 0, HWND_MESSAGE, this);
    if (!wake_window_)
        throw SkinError("can't create the window");
}

Win32EventSource::~Win32EventSource()
{
    stop_timer();
    destroy_hidden_window(wake_window_, class_name);
}

LRESULT CALLBACK Win32EventSource::window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    auto* self = window_owner<Win32EventSource>(window, message, lparam);
    if (self && message == wake_message) {
        self->wake_pending_ = false;
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
        const std::uint64_t now = now_ms();
        const bool tick_due = timer_running_ && next_tick_ms_.has_value();
        if (tick_due && now >= *next_tick_ms_) {
            next_tick_ms_ = std::max(*next_tick_ms_ + period_ms_, now + 1);
            return Event{.kind = EventKind::timer_tick};
        }
        // Peeking also delivers messages sent from other threads and processes (the tray
        // icon's clicks), which may push an event without any posted message.
        dispatch_queued();
        if (!pending_.empty() || quit_seen_)
            continue;
        const DWORD timeout =
            tick_due ? static_cast<DWORD>(std::min<std::uint64_t>(*next_tick_ms_ - now, INFINITE - 1)) : INFINITE;
        MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void Win32EventSource::start_timer(std::chrono::milliseconds period)
{
    if (!timer_running_)
        timeBeginPeriod(1);
    timer_running_ = true;
    period_ms_ = static_cast<std::uint64_t>(std::max<std::chrono::milliseconds::rep>(period.count(), 1));
    next_tick_ms_ = now_ms() + period_ms_;
}

void Win32EventSource::stop_timer()
{
    if (timer_running_)
        timeEndPeriod(1);
    timer_running_ = false;
}

void Win32EventSource::set_next_tick(std::optional<std::chrono::milliseconds> delay)
{
    if (!delay) {
        next_tick_ms_.reset();
        return;
    }
    next_tick_ms_ = now_ms() + static_cast<std::uint64_t>(std::max<std::chrono::milliseconds::rep>(delay->count(), 0));
}

void Win32EventSource::wake_up()
{
    if (wake_pending_.exchange(true))
        return;
    if (!PostMessageW(wake_window_, wake_message, 0, 0))
        wake_pending_ = false; // the queue is full: the next call tries again
}
