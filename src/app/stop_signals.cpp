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
    struct sigaction action {};
    action.sa_handler = request_stop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previous_interrupt_);
    sigaction(SIGTERM, &action, &previous_terminate_);
}

StopSignals::~StopSignals()
{
    sigaction(SIGINT, &previous_interrupt_, nullptr);
    sigaction(SIGTERM, &previous_terminate_, nullptr);
}

bool StopSignals::requested() const
{
    return stop_requested != 0;
}
