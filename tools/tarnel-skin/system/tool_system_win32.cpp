// SPDX-License-Identifier: GPL-3.0-or-later
#include "tool_system.h"

std::filesystem::path tool_path(const char* argv0)
{
    return std::filesystem::absolute(argv0);
}

// No font family check on Windows: fontconfig is not there.
void add_system_services(CheckServices& /*services*/) {}

void add_watch_command(CLI::App& app, std::function<void()>& /*command*/, const PlatformFactory& /*check_platform*/,
                       const char* /*argv0*/)
{
    app.description(app.get_description() +
                    "\nThe Windows build has no watch command: it needs inotify and POSIX processes.");
}
