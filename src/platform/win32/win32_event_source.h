// Win32EventSource: the UI thread's message loop as an EventSource. wait_event pumps the
// thread's messages (GetMessageW, DispatchMessageW); the window procedures of the main window
// and the tray translate what they receive and push() it here. The periodic timer is a
// thread timer (SetTimer without a window): its WM_TIMER becomes a timer_tick, and since the
// system makes WM_TIMER only when the queue is otherwise empty, ticks never pile up.
// UI thread only.
#pragma once

#include "platform/event_source.h"

#include <cstdint>
#include <deque>

class Win32EventSource final : public EventSource {
public:
    Win32EventSource() = default;
    ~Win32EventSource() override;
    Win32EventSource(const Win32EventSource&) = delete;
    Win32EventSource& operator=(const Win32EventSource&) = delete;

    std::optional<Event> wait_event() override;
    void start_timer(std::chrono::milliseconds period) override;
    void stop_timer() override;

    // Queues an event translated by a window procedure; wait_event returns it in order.
    void push(const Event& event) { pending_.push_back(event); }

private:
    std::deque<Event> pending_;
    std::uintptr_t timer_id_ = 0; // 0 while stopped
};
