// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/stop_signal_pipe.h"

#include <gtest/gtest.h>

#include <csignal>

#include <poll.h>

namespace {

bool readable(int descriptor)
{
    pollfd watched{.fd = descriptor, .events = POLLIN, .revents = 0};
    return poll(&watched, 1, 0) == 1;
}

} // namespace

// Each signal raises its flag (SIGHUP the reload request, taken once, the others the stop
// flag, which stays) and makes the pipe readable, which wakes the event source's connection
// watcher; draining empties it again.
TEST(StopSignalPipe, ASignalRaisesItsFlagAndFillsThePipe)
{
    struct Case {
        int signal;
        bool stop;
    };
    for (const Case c : {Case{SIGINT, true}, Case{SIGTERM, true}, Case{SIGHUP, false}}) {
        StopSignalPipe signals;
        EXPECT_FALSE(signals.request_pending());
        EXPECT_FALSE(readable(signals.read_end()));
        std::raise(c.signal);
        EXPECT_TRUE(signals.request_pending()) << c.signal;
        EXPECT_EQ(signals.stop_requested(), c.stop) << c.signal;
        EXPECT_EQ(signals.take_reload_request(), !c.stop) << c.signal;
        EXPECT_FALSE(signals.take_reload_request()) << c.signal;
        EXPECT_TRUE(readable(signals.read_end())) << c.signal;
        signals.drain();
        EXPECT_FALSE(readable(signals.read_end())) << c.signal;
    }
}

// A SIGHUP sent while the starter kept it blocked (tarnel-skin watch, while the player starts)
// waits, and becomes a reload request once the pipe's handler is in place.
TEST(StopSignalPipe, ASighupThatWaitedBlockedArrivesOnceThePipeExists)
{
    sigset_t hang_up, previous;
    sigemptyset(&hang_up);
    sigaddset(&hang_up, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &hang_up, &previous);
    std::raise(SIGHUP);
    {
        StopSignalPipe signals;
        EXPECT_TRUE(signals.take_reload_request());
        EXPECT_FALSE(signals.stop_requested());
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}
