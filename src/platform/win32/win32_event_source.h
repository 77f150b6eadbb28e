// SPDX-License-Identifier: GPL-3.0-or-later
// Win32EventSource: the UI thread's message loop as an EventSource. wait_event pumps the
// thread's messages (PeekMessageW, DispatchMessageW); the window procedures of the main window
// and the tray translate what they receive and push() it here. The periodic timer is a
// deadline of the wait, as in the SDL back end: MsgWaitForMultipleObjectsEx sleeps until a
// message comes or the next tick is due; a timer_tick is returned whenever a period has
// passed, at most one per wait, late ticks are not made up; with no tick due the wait sleeps
// until a message. While the timer runs the system timer resolution is 1 ms (timeBeginPeriod),
// so that the 10 ms period is kept.
// wake_up posts a private message to a message-only window of the UI thread; it is delivered
// also while a modal loop (the tray's menu, an error box) runs, and becomes one wake_up event;
// a post that fails is tried again at the next wake_up (WakeUpPost).
// A console's Ctrl+C, Ctrl+Break and closing are stop requests: the console's control handler
// (on a thread the system starts) raises the stop flag and posts the same message. On closing
// it then waits until the event source is destroyed (the system ends the process when the
// handler returns). One event source at a time: the handler reaches it through globals.
// A request to load the skin again is the registered window message reload_message()
// ("vorlunde-reload-skin") posted to the main window (class "vorlunde"), whose procedure
// calls request_reload.
// Created on the UI thread; UI thread only, except wake_up and stop_requested.
#pragma once

#include "platform/event_source.h"
#include "platform/tick_schedule.h"
#include "platform/wake_up_post.h"

#include <windows.h>

#include <mmsystem.h>

#include <deque>

class Win32EventSource final : public EventSource {
public:
    Win32EventSource();
    ~Win32EventSource() override;
    Win32EventSource(const Win32EventSource&) = delete;
    Win32EventSource& operator=(const Win32EventSource&) = delete;

    std::optional<Event> wait_event() override;
    void start_timer(std::chrono::milliseconds period) override;
    void stop_timer() override;
    void set_next_tick(std::optional<std::chrono::milliseconds> delay) override;
    void wake_up() override;
    bool stop_requested() const override;
    bool take_reload_request() override;

    // The registered message that asks the player to load its skin again.
    static UINT reload_message();
    // Raises the reload request and wakes the loop (a window procedure, on the UI thread).
    void request_reload();

    // Queues an event translated by a window procedure; wait_event returns it in order.
    void push(const Event& event) { pending_.push_back(event); }
    // Dispatches the messages already queued for the UI thread, without waiting; a WM_QUIT
    // among them is kept for wait_event, which then reports close_request.
    void dispatch_queued();

private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    std::deque<Event> pending_;
    HWND wake_window_ = nullptr;            // receives the wake-up message
    WakeUpPost wake_post_;                  // a wake-up message is on its way
    bool quit_seen_ = false;
    bool reload_requested_ = false;
    TickSchedule ticks_; // in steady-clock milliseconds
};
