// SPDX-License-Identifier: GPL-3.0-or-later
// The player: `vorlunde [SKIN]` changes into the skin's folder (the working directory when
// none is named and it holds a skin, else the demo skin that came with the program) and runs
// the skin there in a desktop window.
#include "app/command_line.h"
#include "app/player.h"
#include "platform/desktop_platform.h"

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

// The demo skin among those that came with the program (Windows: skins\demo beside it), or
// an empty path.
std::filesystem::path bundled_demo_skin()
{
    std::error_code error;
    for (const auto& folder : bundled_skin_folders()) {
        if (std::filesystem::is_directory(folder / "demo", error))
            return folder / "demo";
    }
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    auto data_dirs = xdg_data_dirs(environment("XDG_DATA_HOME"), environment("HOME"), environment("XDG_DATA_DIRS"));
    // Where this build installs its own skins, for prefixes outside XDG_DATA_DIRS.
    data_dirs.emplace_back(VORLUNDE_INSTALL_DATADIR);
    CommandLine command_line = parse_command_line(arguments, data_dirs);
    std::error_code no_skin_here;
    if (command_line.action == CommandLine::Action::run && command_line.skin_dir.empty() &&
        !std::filesystem::exists("tarnel.cfg", no_skin_here))
        command_line.skin_dir = bundled_demo_skin();
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
    const auto platform = make_desktop_platform();
    Player player(*platform, ".");
    return player.run();
}
