// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/stop_signal_pipe.h"

#include <atomic>
#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace {

// Lock-free atomics are safe in a signal handler.
std::atomic<bool> stop_flag = false;
std::atomic<bool> reload_flag = false;
std::atomic<int> signal_pipe = -1;
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free);

extern "C" void raise_request(int signal)
{
    if (signal == SIGHUP)
        reload_flag = true;
    else
        stop_flag = true;
    const int pipe = signal_pipe;
    if (pipe >= 0) {
        const auto byte = static_cast<char>(signal);
        const int saved_errno = errno;
        [[maybe_unused]] const auto written = write(pipe, &byte, 1); // a full pipe drops it
        errno = saved_errno;
    }
}

} // namespace

StopSignalPipe::StopSignalPipe()
{
    if (pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::system_error(errno, std::generic_category(), "can't make the signal pipe");
    stop_flag = false;
    reload_flag = false;
    signal_pipe = pipe_[1];
    struct sigaction action {};
    action.sa_handler = raise_request;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previous_interrupt_);
    sigaction(SIGTERM, &action, &previous_terminate_);
    sigaction(SIGHUP, &action, &previous_hang_up_);
    // A starter may hand SIGHUP over blocked (tarnel-skin watch) so that a reload asked for
    // during start-up waits: it arrives now that the handler is in place.
    sigset_t requests;
    sigemptyset(&requests);
    sigaddset(&requests, SIGHUP);
    pthread_sigmask(SIG_UNBLOCK, &requests, nullptr);
}

StopSignalPipe::~StopSignalPipe()
{
    sigaction(SIGINT, &previous_interrupt_, nullptr);
    sigaction(SIGTERM, &previous_terminate_, nullptr);
    sigaction(SIGHUP, &previous_hang_up_, nullptr);
    signal_pipe = -1;
    close(pipe_[0]);
    close(pipe_[1]);
}

bool StopSignalPipe::stop_requested() const
{
    return stop_flag;
}

bool StopSignalPipe::reload_flag_raised()
{
    return reload_flag;
}

bool StopSignalPipe::take_reload_request()
{
    return reload_flag.exchange(false);
}

void StopSignalPipe::drain() const
{
    char bytes[16];
    while (read(pipe_[0], bytes, sizeof bytes) > 0) {
    }
}
