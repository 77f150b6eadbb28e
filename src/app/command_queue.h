// SPDX-License-Identifier: GPL-3.0-or-later
// CommandQueue: the commands posted and not yet executed. Last in, first out: take() returns
// the most recently posted command, so of the commands waiting when a drain starts the newest
// runs first, and a command posted during a drain runs before the older ones still waiting.
// post_command and take are safe from any thread (the audio engine posts from its own); a
// post then calls the wake-up hook, which wakes the sleeping main loop.
#pragma once

#include "base/command.h"

#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

class CommandQueue final : public CommandSink {
public:
    // Puts (id, argument) at the head. Any id may be posted.
    void post_command(std::uint16_t id, std::uint16_t argument) override;

    // Removes and returns the head, or nullopt when the queue is empty.
    std::optional<Command> take();

    std::size_t size() const;

    // Called after every post, on the posting thread. Set it before other threads post.
    void set_wake_up(std::function<void()> wake_up) { wake_up_ = std::move(wake_up); }

private:
    mutable std::mutex mutex_;
    std::vector<Command> commands_; // the head is the back
    std::function<void()> wake_up_;
};
