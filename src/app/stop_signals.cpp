// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/stop_signals.h"

#include <cerrno>

#ifdef _WIN32
#include <atomic>
#include <semaphore>
#else
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace {

volatile std::sig_atomic_t stop_requested = 0;

#ifdef _WIN32
// The C runtime calls the handler of a console's Ctrl+C or Ctrl+Break on a thread of its own,
// not inside an interrupted thread, so it may release a semaphore. The semaphore lives as long
// as the program: a handler that runs while an object goes away still finds it.
std::counting_semaphore<>& signal_semaphore()
{
    static std::counting_semaphore<> semaphore{0};
    return semaphore;
}
std::atomic<bool> watcher_closing = false;

extern "C" void request_stop(int)
{
    stop_requested = 1;
    signal_semaphore().release();
}
#else
volatile std::sig_atomic_t signal_pipe = -1;

// What the watcher reads: a signal came, or the object is going away.
constexpr char signal_byte = 's';
constexpr char closing_byte = 'c';

extern "C" void request_stop(int)
{
    stop_requested = 1;
    if (signal_pipe >= 0) {
        const char byte = signal_byte;
        [[maybe_unused]] const auto written = write(signal_pipe, &byte, 1);
    }
}
#endif

} // namespace

StopSignals::StopSignals([[maybe_unused]] std::function<void()> on_signal)
{
    stop_requested = 0;
#ifdef _WIN32
    if (on_signal) {
        watcher_closing = false;
        watcher_ = std::thread(&StopSignals::watch, this, std::move(on_signal));
    }
    previous_interrupt_ = std::signal(SIGINT, request_stop);
    previous_break_ = std::signal(SIGBREAK, request_stop);
    previous_terminate_ = std::signal(SIGTERM, request_stop);
#else
    if (on_signal && pipe2(pipe_, O_CLOEXEC) == 0) {
        fcntl(pipe_[1], F_SETFL, O_NONBLOCK); // a full pipe drops the byte, never blocks the handler
        signal_pipe = pipe_[1];
        watcher_ = std::thread(&StopSignals::watch, this, std::move(on_signal));
    }
    struct sigaction action {};
    action.sa_handler = request_stop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previous_interrupt_);
    sigaction(SIGTERM, &action, &previous_terminate_);
#endif
}

StopSignals::~StopSignals()
{
#ifdef _WIN32
    std::signal(SIGINT, previous_interrupt_);
    std::signal(SIGBREAK, previous_break_);
    std::signal(SIGTERM, previous_terminate_);
    if (watcher_.joinable()) {
        watcher_closing = true;
        signal_semaphore().release();
        watcher_.join();
    }
#else
    sigaction(SIGINT, &previous_interrupt_, nullptr);
    sigaction(SIGTERM, &previous_terminate_, nullptr);
    if (watcher_.joinable()) {
        signal_pipe = -1;
        const char byte = closing_byte;
        while (write(pipe_[1], &byte, 1) != 1 && (errno == EINTR || errno == EAGAIN)) {
        }
        watcher_.join();
        close(pipe_[0]);
        close(pipe_[1]);
    }
#endif
}

bool StopSignals::requested() const
{
    return stop_requested != 0;
}

#ifdef _WIN32
void StopSignals::watch(std::function<void()> on_signal) const
{
    for (;;) {
        signal_semaphore().acquire();
        if (watcher_closing)
            return;
        on_signal();
    }
}
#else
void StopSignals::watch(std::function<void()> on_signal) const
{
    char byte = 0;
    for (;;) {
        const auto got = read(pipe_[0], &byte, 1);
        if ((got == 1 && byte == closing_byte) || (got < 0 && errno != EINTR) || got == 0)
            return;
        if (got == 1)
            on_signal();
    }
}
#endif
