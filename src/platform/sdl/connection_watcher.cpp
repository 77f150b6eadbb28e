// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/connection_watcher.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <system_error>
#include <unistd.h>

ConnectionWatcher::ConnectionWatcher(std::function<void()> on_readable) : on_readable_(std::move(on_readable))
{
    std::array<int, 2> ends{};
    if (pipe2(ends.data(), O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::system_error(errno, std::generic_category(), "can't create a pipe");
    interrupt_read_ = ends[0];
    interrupt_write_ = ends[1];
    thread_ = std::thread([this] { run(); });
}

ConnectionWatcher::~ConnectionWatcher()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    armed_changed_.notify_one();
    interrupt_poll();
    thread_.join();
    close(interrupt_read_);
    close(interrupt_write_);
}

void ConnectionWatcher::watch(std::vector<int> sockets)
{
    std::sort(sockets.begin(), sockets.end());
    sockets.erase(std::unique(sockets.begin(), sockets.end()), sockets.end());
    {
        std::lock_guard lock(mutex_);
        if (armed_ && sockets == sockets_)
            return; // already waiting on exactly these
        if (sockets != sockets_)
            hung_up_.clear();
        sockets_ = std::move(sockets);
        armed_ = true;
    }
    armed_changed_.notify_one();
    interrupt_poll(); // a poll on the previous set starts again with this one
}

void ConnectionWatcher::interrupt_poll()
{
    const char byte = 0;
    [[maybe_unused]] const auto written = write(interrupt_write_, &byte, 1); // a full pipe interrupts as well
}

void ConnectionWatcher::run()
{
    std::vector<pollfd> polled;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            armed_changed_.wait(lock, [this] { return stopping_ || armed_; });
            if (stopping_)
                return;
            polled.clear();
            for (const int socket : sockets_)
                if (std::find(hung_up_.begin(), hung_up_.end(), socket) == hung_up_.end())
                    polled.push_back({.fd = socket, .events = POLLIN, .revents = 0});
        }
        polled.push_back({.fd = interrupt_read_, .events = POLLIN, .revents = 0});
        if (poll(polled.data(), polled.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            return; // cannot wait at all: the UI thread still sees the sockets when it wakes
        }
        if (polled.back().revents != 0) {
            char drained[64];
            while (read(interrupt_read_, drained, sizeof drained) > 0) {
            }
            continue; // stopping, or a new set to watch
        }
        polled.pop_back();
        bool readable = false;
        std::lock_guard lock(mutex_);
        for (const pollfd& entry : polled) {
            if (entry.revents & (POLLHUP | POLLERR | POLLNVAL))
                hung_up_.push_back(entry.fd);
            readable = readable || entry.revents != 0;
        }
        if (readable) {
            armed_ = false;
            on_readable_();
        }
    }
}
