// SPDX-License-Identifier: GPL-3.0-or-later
#include "tool_system.h"

#include "desktop/font_families.h"
#include "watch_loop.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>

std::filesystem::path tool_path(const char* /*argv0*/)
{
    return std::filesystem::read_symlink("/proc/self/exe");
}

void add_system_services(CheckServices& services)
{
    services.font_families = font_families;
}

void add_watch_command(CLI::App& app, std::function<void()>& command, const PlatformFactory& check_platform,
                       const char* argv0)
{
    struct Arguments {
        std::string manifest;
        std::string out_dir;
        bool run_player = false;
    };
    // Shared with the callbacks, which CLI11 keeps as long as the app.
    auto arguments = std::make_shared<Arguments>();
    CLI::App* watch = app.add_subcommand("watch", "Rebuild and check a skin whenever its manifest or a file it names changes");
    watch->add_option("manifest", arguments->manifest, "Skin manifest (TOML)")->required();
    watch->add_option("-o,--output", arguments->out_dir, "Folder to write the skin into")->required();
    watch->add_flag("--run", arguments->run_player,
                    "Run the player (vorlunde) on the skin; each later good build reloads it in place (SIGHUP), "
                    "or starts it again if it has ended");
    watch->callback([arguments, &command, check_platform, argv0] {
        command = [arguments, check_platform, argv0] {
            WatchOptions options{arguments->manifest, arguments->out_dir, std::nullopt};
            if (arguments->run_player)
                options.player = player_beside(tool_path(argv0)).value_or("vorlunde");
            watch_skin(options, check_platform, std::cout, std::cerr);
        };
    });
}
