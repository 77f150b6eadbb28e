// SPDX-License-Identifier: GPL-3.0-or-later
// StopSignalPipe: while the object lives, SIGINT, SIGTERM and SIGHUP no longer end the
// process at once. Their handler raises a flag, the stop flag for SIGINT and SIGTERM, the
// reload flag for SIGHUP (the request to load the skin again), and writes the signal's
// number, one byte, into a pipe; the event source watches the pipe's read end (the SDL one
// with its ConnectionWatcher), so a sleeping loop wakes, and empties it (drain) before it
// sleeps again. SIGHUP is unblocked once its handler is in place (a starter may block it so
// that a request made during start-up waits). The destructor restores the earlier handlers.
// One object at a time: the handler reaches the flags and the pipe only through the
// program's globals. Construct, drain and destroy on the UI thread; stop_requested and
// take_reload_request from any thread. Throws std::system_error when the pipe cannot be made.
#pragma once

#include <csignal>

class StopSignalPipe {
public:
    StopSignalPipe();
    ~StopSignalPipe();
    StopSignalPipe(const StopSignalPipe&) = delete;
    StopSignalPipe& operator=(const StopSignalPipe&) = delete;

    // True once SIGINT or SIGTERM arrived while the object lived.
    bool stop_requested() const;
    // True when SIGHUP arrived since the last call, which lowers the flag again.
    bool take_reload_request();
    // Whether a stop or a reload request is raised (and the reload request not yet taken).
    bool request_pending() const { return stop_requested() || reload_flag_raised(); }
    // The pipe's end to watch: readable when a signal came.
    int read_end() const { return pipe_[0]; }
    // Reads what the handler wrote, without waiting.
    void drain() const;

private:
    static bool reload_flag_raised();

    struct sigaction previous_interrupt_ {};
    struct sigaction previous_terminate_ {};
    struct sigaction previous_hang_up_ {};
    int pipe_[2] = {-1, -1}; // read end, write end, both non-blocking
};
