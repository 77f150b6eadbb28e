// SPDX-License-Identifier: GPL-3.0-or-later
#include "watch_command.h"

void add_watch_command(CLI::App& app, std::function<void()>& /*command*/, const PlatformFactory& /*check_platform*/)
{
    app.description(app.get_description() +
                    "\nThe Windows build has no watch command: it needs inotify and POSIX processes.");
}
