// SPDX-License-Identifier: GPL-3.0-or-later
// CommandList: an ordered list of commands owned by a page (click, right-click, enter and
// leave lists). New commands go to the front, and posting walks from the front, so they
// are posted in the reverse of the order they were added.
// Value type; UI thread only.
#pragma once

#include "base/command.h"

#include <deque>

class CommandList {
public:
    // Puts `command` at the front.
    void add(const Command& command) { commands_.push_front(command); }

    // Posts every command from the front.
    void post_all(CommandSink& sink) const
    {
        for (const Command& command : commands_)
            sink.post_command(command);
    }

private:
    std::deque<Command> commands_;
};
