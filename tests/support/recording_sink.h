// SPDX-License-Identifier: GPL-3.0-or-later
// RecordingSink: a CommandSink that keeps every posted command in order, from any thread.
#pragma once

#include "base/command.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

class RecordingSink final : public CommandSink {
public:
    void post_command(std::uint16_t id, std::uint16_t argument) override
    {
        std::lock_guard lock(mutex_);
        posted_.push_back(Command{id, argument});
    }

    std::vector<Command> posted() const
    {
        std::lock_guard lock(mutex_);
        return posted_;
    }

    std::size_t count(std::uint16_t id) const
    {
        std::lock_guard lock(mutex_);
        return static_cast<std::size_t>(std::ranges::count(posted_, id, &Command::id));
    }

    void clear()
    {
        std::lock_guard lock(mutex_);
        posted_.clear();
    }

    // The commands posted since the last take or clear; forgets them.
    std::vector<Command> take()
    {
        std::lock_guard lock(mutex_);
        return std::exchange(posted_, {});
    }

private:
    mutable std::mutex mutex_;
    std::vector<Command> posted_;
};
