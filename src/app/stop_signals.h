// StopSignals: while the object lives, SIGINT and SIGTERM no longer end the process at once;
// they only raise a flag that the main loop polls after every event, so a signal ends the
// loop as a quit does and the ordered shut-down still runs. The destructor restores the
// earlier handlers. One object at a time; construct and destroy it on the UI thread.
// The flag the handler sets is the program's one global: a signal handler reaches nothing else.
#pragma once

#include <csignal>

class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // True once SIGINT or SIGTERM arrived while the object lived.
    bool requested() const;

private:
#ifdef _WIN32
    // Windows has no sigaction; its C runtime keeps a handler installed after it ran.
    using Handler = void (*)(int);
    Handler previous_interrupt_ = SIG_DFL;
    Handler previous_terminate_ = SIG_DFL;
#else
    struct sigaction previous_interrupt_ {};
    struct sigaction previous_terminate_ {};
#endif
};
