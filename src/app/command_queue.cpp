// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_queue.h"

void CommandQueue::post_command(std::uint16_t id, std::uint16_t argument)
{
    {
        const std::scoped_lock lock(mutex_);
        commands_.push_back(Command{id, argument});
    }
    if (wake_up_)
        wake_up_();
}

std::optional<Command> CommandQueue::take()
{
    const std::scoped_lock lock(mutex_);
    if (commands_.empty())
        return std::nullopt;
    const Command head = commands_.back();
    commands_.pop_back();
    return head;
}

std::size_t CommandQueue::size() const
{
    const std::scoped_lock lock(mutex_);
    return commands_.size();
}
