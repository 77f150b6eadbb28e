// SPDX-License-Identifier: GPL-3.0-or-later
// ConnectionWatcher: lets the UI thread sleep while its desktop connections (the tray's
// D-Bus and X connections, the media remote's bus) are quiet, instead of polling them.
// watch() hands it the sockets to watch; its thread waits until one has data (or hangs up),
// calls `on_readable` once, and then waits for the next watch(), so that data the UI thread
// has not read yet does not wake it again and again. The UI thread calls watch() each time
// after it has read everything that had arrived, right before it sleeps.
//
// A socket that hangs up is reported once and then left out until the set of sockets changes.
// Threads: watch() on the UI thread; on_readable runs on the watcher's thread and must be
// safe there (it wakes the UI thread's wait). Stops and joins its thread on destruction.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class ConnectionWatcher {
public:
    // Throws std::system_error when its pipe cannot be made (no file descriptors left).
    explicit ConnectionWatcher(std::function<void()> on_readable);
    ~ConnectionWatcher();
    ConnectionWatcher(const ConnectionWatcher&) = delete;
    ConnectionWatcher& operator=(const ConnectionWatcher&) = delete;

    // Watches `sockets` (file descriptors; an empty set watches nothing) until one is
    // readable, then reports it once.
    void watch(std::vector<int> sockets);

private:
    void run();
    void interrupt_poll();

    std::function<void()> on_readable_;
    int interrupt_read_ = -1; // a pipe that interrupts the thread's poll
    int interrupt_write_ = -1;
    std::mutex mutex_; // guards what follows
    std::condition_variable armed_changed_;
    std::vector<int> sockets_;
    std::vector<int> hung_up_; // left out until the set changes
    bool armed_ = false;
    bool stopping_ = false;
    std::thread thread_; // last: starts after the members above exist
};
