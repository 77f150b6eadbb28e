// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/connection_watcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// Counts the watcher's reports; waits for the next one, or for a quiet while.
class Reports {
public:
    void add()
    {
        std::lock_guard lock(mutex_);
        ++count_;
        changed_.notify_all();
    }
    // True when the count reached `count` within a generous bound.
    bool reach(int count)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 10s, [&] { return count_ >= count; });
    }
    int count_after_a_while()
    {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, 100ms, [] { return false; });
        return count_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int count_ = 0;
};

struct Pipe {
    int read_end = -1;
    int write_end = -1;
    Pipe()
    {
        int ends[2];
        EXPECT_EQ(pipe(ends), 0);
        read_end = ends[0];
        write_end = ends[1];
    }
    ~Pipe()
    {
        close(read_end);
        if (write_end >= 0)
            close(write_end);
    }
    void send() { ASSERT_EQ(write(write_end, "x", 1), 1); }
    void hang_up()
    {
        close(write_end);
        write_end = -1;
    }
};

// Data left unread wakes once per watch(), never again by itself: the UI thread is woken,
// reads, and asks again. A socket that hangs up is reported once per set, not in a loop.
TEST(ConnectionWatcher, ReportsDataOncePerWatchAndAHangUpOnce)
{
    Reports reports;
    Pipe quiet;
    Pipe busy;
    ConnectionWatcher watcher([&] { reports.add(); });
    watcher.watch({quiet.read_end, busy.read_end});
    EXPECT_EQ(reports.count_after_a_while(), 0) << "nothing has arrived";
    busy.send();
    ASSERT_TRUE(reports.reach(1));
    EXPECT_EQ(reports.count_after_a_while(), 1) << "unread data does not wake again before the next watch";
    watcher.watch({busy.read_end, quiet.read_end});
    ASSERT_TRUE(reports.reach(2)) << "still unread: the next watch reports it at once";

    char byte = 0;
    ASSERT_EQ(read(busy.read_end, &byte, 1), 1);
    busy.hang_up();
    watcher.watch({quiet.read_end, busy.read_end});
    ASSERT_TRUE(reports.reach(3)) << "a hang-up is reported";
    watcher.watch({quiet.read_end, busy.read_end});
    EXPECT_EQ(reports.count_after_a_while(), 3) << "and then left out";
    quiet.send();
    EXPECT_TRUE(reports.reach(4)) << "the other socket is still watched";
}

} // namespace
