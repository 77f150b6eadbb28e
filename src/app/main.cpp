// SPDX-License-Identifier: GPL-3.0-or-later
// The player: `vorlunde [SKIN]` changes into the skin's folder (the working directory's skin,
// else the installed default, when none is named) and runs the skin there in a desktop window.
#include "app/command_line.h"
#include "app/player.h"
#include "base/skin_error.h"
#include "platform/desktop_platform.h"
#include "platform/installed_skins.h"

#include <cstdlib>
#include <iostream>
#include <string_view>
#include <vector>

namespace {

std::string_view environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const auto data_dirs = xdg_data_dirs(environment("XDG_DATA_HOME"), environment("HOME"), environment("XDG_DATA_DIRS"));
    const auto skin_folders = installed_skin_folders(data_dirs, installed_skins_folder());
    std::error_code no_working_dir;
    const auto working_dir = std::filesystem::current_path(no_working_dir);
    const CommandLine command_line = parse_command_line(arguments, skin_folders, working_dir);
    switch (command_line.action) {
    case CommandLine::Action::help:
        std::cout << help_text();
        return 0;
    case CommandLine::Action::version:
        std::cout << "vorlunde " << VORLUNDE_VERSION << '\n';
        return 0;
    case CommandLine::Action::usage_error:
        std::cerr << "vorlunde: " << command_line.error << '\n' << usage_line << '\n';
        return 2;
    case CommandLine::Action::run:
        break;
    }
    if (!command_line.skin_dir.empty()) {
        std::error_code error;
        std::filesystem::current_path(command_line.skin_dir, error);
        if (error) {
            std::cerr << "vorlunde: can't enter skin folder " << command_line.skin_dir.string() << '\n';
            return 2;
        }
    }
    std::unique_ptr<Platform> platform;
    try {
        platform = make_desktop_platform();
    } catch (const SkinError& error) {
        std::cerr << "vorlunde: " << error.what() << '\n';
        return 1;
    }
    Player player(*platform, ".");
    return player.run();
}
