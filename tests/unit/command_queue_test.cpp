// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

TEST(CommandQueue, TakesTheNewestFirst)
{
    CommandQueue queue;
    EXPECT_EQ(queue.take(), std::nullopt);
    queue.post_command(0x1001, 1);
    queue.post_command(0x1002, 2);
    queue.post_command(0x1001, 3);
    EXPECT_EQ(queue.size(), 3u);
    EXPECT_EQ(queue.take(), (Command{0x1001, 3}));
    queue.post_command(0x7001, 9); // posted mid-drain: runs before the older ones
    EXPECT_EQ(queue.take(), (Command{0x7001, 9}));
    EXPECT_EQ(queue.take(), (Command{0x1002, 2}));
    EXPECT_EQ(queue.take(), (Command{0x1001, 1}));
    EXPECT_EQ(queue.take(), std::nullopt);
}

TEST(CommandQueue, LosesNothingPostedFromAnotherThreadWhileDraining)
{
    constexpr int posted_by_other_thread = 20000;
    CommandQueue queue;
    std::atomic<bool> done = false;
    std::thread poster([&] {
        for (int i = 0; i < posted_by_other_thread; ++i)
            queue.post_command(0x4003, static_cast<std::uint16_t>(i));
        done = true;
    });
    std::vector<int> seen(posted_by_other_thread, 0);
    int own = 0;
    int taken = 0;
    for (;;) {
        const bool finished = done;
        queue.post_command(0x1001, 0);
        ++own;
        while (const auto command = queue.take()) {
            ++taken;
            if (command->id == 0x4003)
                ++seen[command->argument];
        }
        if (finished)
            break;
    }
    poster.join();
    EXPECT_EQ(taken, own + posted_by_other_thread);
    for (int i = 0; i < posted_by_other_thread; ++i)
        ASSERT_EQ(seen[i], 1) << "argument " << i;
}

} // namespace
