// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/stop_signals.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <semaphore>

// Each stop signal raises the flag and calls the wake-up from the watcher thread, on Linux
// through the pipe and on Windows through the semaphore.
TEST(StopSignals, ASignalRaisesTheFlagAndWakesTheLoop)
{
    for (const int signal : {SIGINT, SIGTERM}) {
        std::binary_semaphore woken{0};
        StopSignals signals([&] { woken.release(); });
        EXPECT_FALSE(signals.requested());
        std::raise(signal);
        EXPECT_TRUE(signals.requested()) << signal;
        // A bound on a hang, not a measurement.
        EXPECT_TRUE(woken.try_acquire_for(std::chrono::seconds(60))) << signal;
    }
}
