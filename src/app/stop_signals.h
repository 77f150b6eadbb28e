// SPDX-License-Identifier: GPL-3.0-or-later
// StopSignals: while the object lives, SIGINT and SIGTERM (on Windows also SIGBREAK: a
// console's Ctrl+C and Ctrl+Break) no longer end the process at once; they only raise a flag
// that the main loop polls after every event, so a signal ends the loop as a quit does and the
// ordered shut-down still runs. As the loop may be asleep, the handler also writes a byte into
// a pipe (on Windows: releases a semaphore), and a watcher thread of the object then calls
// `on_signal` (which must be safe to call from that thread), which wakes the loop.
// The destructor restores the earlier handlers and joins the watcher. One object at a time;
// construct and destroy it on the UI thread. The flag and the pipe's write end the handler
// uses are the program's globals: a signal handler reaches nothing else.
#pragma once

#include <csignal>
#include <functional>
#include <thread>

class StopSignals {
public:
    explicit StopSignals(std::function<void()> on_signal = {});
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // True once SIGINT or SIGTERM arrived while the object lived.
    bool requested() const;

private:
    void watch(std::function<void()> on_signal) const;

#ifdef _WIN32
    // Windows has no sigaction; its C runtime keeps a handler installed after it ran.
    using Handler = void (*)(int);
    Handler previous_interrupt_ = SIG_DFL;
    Handler previous_break_ = SIG_DFL;
    Handler previous_terminate_ = SIG_DFL;
#else
    struct sigaction previous_interrupt_ {};
    struct sigaction previous_terminate_ {};
    int pipe_[2] = {-1, -1}; // read end, write end
#endif
    std::thread watcher_;
};
