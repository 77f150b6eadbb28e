#include "platform/win32/win32_event_source.h"

#include <windows.h>

#include <algorithm>

Win32EventSource::~Win32EventSource()
{
    stop_timer();
}

std::optional<Event> Win32EventSource::wait_event()
{
    for (;;) {
        if (!pending_.empty()) {
            const Event event = pending_.front();
            pending_.pop_front();
            return event;
        }
        MSG message;
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result <= 0) // WM_QUIT, or no queue to read: ask the program to end
            return Event{.kind = EventKind::close_request};
        if (message.hwnd == nullptr && message.message == WM_TIMER && timer_id_ != 0 &&
            message.wParam == timer_id_)
            return Event{.kind = EventKind::timer_tick};
        DispatchMessageW(&message);
    }
}

void Win32EventSource::start_timer(std::chrono::milliseconds period)
{
    const auto ms = static_cast<UINT>(std::clamp<std::chrono::milliseconds::rep>(period.count(), USER_TIMER_MINIMUM,
                                                                                 USER_TIMER_MAXIMUM));
    // Without a window the id passed in is ignored and a new one returned, so stop first.
    stop_timer();
    timer_id_ = SetTimer(nullptr, 0, ms, nullptr);
}

void Win32EventSource::stop_timer()
{
    if (timer_id_ == 0)
        return;
    KillTimer(nullptr, timer_id_);
    timer_id_ = 0;
    // A WM_TIMER already queued must not arrive as a tick after the stop.
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
}
