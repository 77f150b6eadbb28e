// SPDX-License-Identifier: GPL-3.0-or-later
// CommandList: an ordered list of (command, argument) pairs owned by a page (click,
// right-click, enter and leave lists). New pairs go to the front, and posting walks from
// the front, so the pairs are posted in the reverse of the order they were added.
// Value type; UI thread only.
#pragma once

#include "base/command.h"

#include <deque>

class CommandList {
public:
    // Puts (id, argument) at the front.
    void add(std::uint16_t id, std::uint16_t argument) { commands_.push_front(Command{id, argument}); }

    // Posts every pair from the front.
    void post_all(CommandSink& sink) const
    {
        for (const Command& command : commands_)
            sink.post_command(command.id, command.argument);
    }

private:
    std::deque<Command> commands_;
};
