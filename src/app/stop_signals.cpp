#include "app/stop_signals.h"

#include <signal.h>

namespace {

volatile std::sig_atomic_t stop_requested = 0;

extern "C" void request_stop(int)
{
    stop_requested = 1;
}

} // namespace

StopSignals::StopSignals()
{
    stop_requested = 0;
#ifdef _WIN32
    previous_interrupt_ = std::signal(SIGINT, request_stop);
    previous_terminate_ = std::signal(SIGTERM, request_stop);
#else
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
    std::signal(SIGTERM, previous_terminate_);
#else
    sigaction(SIGINT, &previous_interrupt_, nullptr);
    sigaction(SIGTERM, &previous_terminate_, nullptr);
#endif
}

bool StopSignals::requested() const
{
    return stop_requested != 0;
}
