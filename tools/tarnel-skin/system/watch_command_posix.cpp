// SPDX-License-Identifier: GPL-3.0-or-later
#include "watch_command.h"

#include "watch_loop.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

void add_watch_command(CLI::App& app, std::function<void()>& command, const PlatformFactory& check_platform)
{
    struct Arguments {
        std::string manifest;
        std::string out_dir;
        bool run_player = false;
    };
    // Owned by the callback, which CLI11 keeps as long as the app.
    auto arguments = std::make_shared<Arguments>();
    CLI::App* watch = app.add_subcommand("watch", "Rebuild and check a skin whenever its manifest or a file it names changes");
    watch->add_option("manifest", arguments->manifest, "Skin manifest (TOML)")->required();
    watch->add_option("-o,--output", arguments->out_dir, "Folder to write the skin into")->required();
    watch->add_flag("--run", arguments->run_player, "Restart the player (vorlunde) on each good build");
    watch->callback([arguments, &command, check_platform] {
        command = [arguments, check_platform] {
            WatchOptions options{arguments->manifest, arguments->out_dir, std::nullopt};
            if (arguments->run_player)
                options.player = player_beside(std::filesystem::read_symlink("/proc/self/exe")).value_or("vorlunde");
            watch_skin(options, check_platform, std::cout, std::cerr);
        };
    });
}
