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

// Each stop signal raises the flag and makes the pipe readable, which wakes the event source's
// connection watcher; draining empties it again.
TEST(StopSignalPipe, ASignalRaisesTheFlagAndFillsThePipe)
{
    for (const int signal : {SIGINT, SIGTERM}) {
        StopSignalPipe signals;
        EXPECT_FALSE(signals.stop_requested());
        EXPECT_FALSE(readable(signals.read_end()));
        std::raise(signal);
        EXPECT_TRUE(signals.stop_requested()) << signal;
        EXPECT_TRUE(readable(signals.read_end())) << signal;
        signals.drain();
        EXPECT_FALSE(readable(signals.read_end())) << signal;
    }
}
