// SPDX-License-Identifier: GPL-3.0-or-later
// tarnel-skin: builds and inspects skins. Parses the command line and runs one command from
// commands.h; any error is printed to standard error and the exit status is 1.
#include "command_table.h"
#include "commands.h"
#include "desktop/tool_platform.h"
#include "key_names.h"
#include "skin_checks.h"
#include "skin_package.h"
#include "starter_skin.h"
#include "tool_system.h"
#include "web_package.h"

#include "base/desktop_text.h"

#include <CLI/CLI.hpp>

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>

int main(int argc, char** argv)
{
    CLI::App app{"Builds and inspects vorlunde skins (tarnel.cfg and tarnel.dat)."};
    app.require_subcommand(1);
    // Arguments that begin with a slash are paths, also on Windows (CLI11 reads them as options
    // there by default); set before the subcommands, which copy it.
    app.allow_windows_style_options(false);
    std::function<void()> command;
    std::string manifest, config, archive, dir, out_dir;
    // check and watch load skins as the player does, with plug-ins but without real fonts.
    const PlatformFactory check_platform = [](bool layered) { return std::make_unique<ToolPlatform>(layered, false); };
    CheckServices services;
    add_system_services(services);

    CLI::App* build = app.add_subcommand("build", "Write DIR/tarnel.cfg and DIR/tarnel.dat from a manifest");
    build->add_option("manifest", manifest, "Skin manifest (TOML)")->required();
    build->add_option("-o,--output", out_dir, "Folder to write the skin into")->required();
    build->callback([&] { command = [&] { build_skin(manifest, out_dir, std::cout, services); }; });

    CLI::App* dump = app.add_subcommand("dump", "Print every chunk and field of a configuration file");
    dump->add_option("config", config, "Configuration file (tarnel.cfg)")->required();
    dump->callback([&] { command = [&] { dump_config(config, std::cout); }; });

    CLI::App* ls = app.add_subcommand("ls", "List the entries of a data file: name, size, offset");
    ls->add_option("archive", archive, "Data file (tarnel.dat)")->required();
    ls->callback([&] { command = [&] { list_archive(archive, std::cout); }; });

    CLI::App* unpack = app.add_subcommand("unpack", "Write every entry of a data file under a folder");
    unpack->add_option("archive", archive, "Data file (tarnel.dat)")->required();
    unpack->add_option("dir", dir, "Folder to unpack into")->required();
    unpack->callback([&] { command = [&] { unpack_archive(archive, dir, std::cout); }; });

    CLI::App* pack = app.add_subcommand("pack", "Pack every file under a folder into a data file, ordered by name");
    pack->add_option("dir", dir, "Folder to pack")->required();
    pack->add_option("archive", archive, "Data file to write")->required();
    pack->callback([&] { command = [&] { pack_archive(dir, archive, std::cout); }; });

    CLI::App* check = app.add_subcommand(
        "check", "Load a skin as the player does and print ok, or its error with exit status 1; with DIR/skin.toml, "
                 "print the build's warnings too");
    check->add_option("dir", dir, "Folder holding tarnel.cfg and tarnel.dat (and perhaps skin.toml)")->required();
    check->callback([&] { command = [&] { check_skin_folder(dir, check_platform, services, std::cout); }; });

    CLI::App* commands = app.add_subcommand("commands", "Print every command a skin can post: name, id, argument, effect");
    commands->callback([&] { command = [&] { std::cout << commands_markdown(); }; });

    CLI::App* keys = app.add_subcommand("keys", "Print every key name a key binding can use, with its code");
    keys->callback([&] { command = [&] { std::cout << keys_markdown(); }; });

    std::string page, png;
    bool all_pages = false;
    int render_scale = 1;
    CLI::App* render = app.add_subcommand("render", "Draw one page of a skin, or every page and button look, to PNG files");
    render->add_option("dir", dir, "Folder holding tarnel.cfg and tarnel.dat")->required();
    CLI::Option* page_option = render->add_option("--page", page, "Name of the page to draw");
    CLI::Option* all_option = render->add_flag("--all", all_pages, "Draw every page, and each button pressed and hovered");
    page_option->excludes(all_option);
    render->add_option("-o,--output", png, "PNG file to write (with --all: the folder to write into)")->required();
    render->add_option("--scale", render_scale, "Draw as a screen of twice the density does (2: art at twice the size where the skin has it)")
        ->check(CLI::IsMember({1, 2}))
        ->capture_default_str();
    render->callback([&] {
        if (!all_pages && page.empty())
            throw CLI::RequiredError("--page or --all");
        command = [&] {
            ToolPlatform platform(false, true, render_scale);
            if (all_pages)
                render_all_pages(dir, png, platform, platform.manual_clock(), std::cout);
            else
                render_page(dir, page, png, platform, std::cout);
        };
    });

    std::string fonts = "/usr/share/fonts/truetype/dejavu";
    CLI::App* starter = app.add_subcommand("new", "Write a starter skin (manifest, PNG art, two tracks) into a new folder");
    starter->add_option("dir", dir, "Folder to create")->required();
    starter->add_option("--fonts", fonts, "Folder holding DejaVuSans.ttf and DejaVuSans-Bold.ttf")->capture_default_str();
    starter->callback([&] { command = [&] { write_starter_skin(dir, fonts, std::cout); }; });

    PackageOptions package_options;
    bool for_linux = false, for_windows = false, for_web = false;
    CLI::App* package = app.add_subcommand(
        "package", "Pack a built skin for listeners: for Linux a folder or .tar.gz with install.sh, for Windows a zip "
                   "with vorlunde.exe and the skin beside it, for the web a folder any static web server can host");
    package->add_option("dir", package_options.skin_dir, "Folder holding the built skin and the files it names")->required();
    CLI::Option* linux_flag = package->add_flag("--linux", for_linux, "A folder, or OUT.tar.gz, with the skin and install.sh");
    CLI::Option* windows_flag = package->add_flag("--windows", for_windows, "A zip with vorlunde.exe, the skin and its music");
    CLI::Option* web_flag = package->add_flag("--web", for_web, "A web site: the web player and the skin");
    linux_flag->excludes(windows_flag)->excludes(web_flag);
    windows_flag->excludes(web_flag);
    package->add_option("-o,--output", package_options.output, "Folder, .tar.gz or .zip to write")->required();
    package->add_option("--name", package_options.name, "The skin's name once installed (default: the folder's name)");
    package->add_option("--player", package_options.player,
                        "With --windows: vorlunde.exe, or a Windows release zip holding it (default: the Windows build "
                        "beside this tool's); with --web: the web player's folder (build/web/web after "
                        "scripts/build-web; default: $VORLUNDE_WEB_PLAYER)");
    package->callback([&] {
        if (!for_linux && !for_windows && !for_web)
            throw CLI::RequiredError("--linux, --windows or --web");
        command = [&] {
            if (for_web) {
                const char* from_environment = std::getenv("VORLUNDE_WEB_PLAYER");
                if (package_options.player.empty() && from_environment)
                    package_options.player = from_environment;
                if (package_options.player.empty())
                    throw std::runtime_error("package --web needs the web player's folder: --player build/web/web "
                                             "after scripts/build-web");
                return package_web(package_options.skin_dir, package_options.output, package_options.player, std::cout);
            }
            package_options.target = for_windows ? PackageTarget::windows_zip : PackageTarget::linux_folder;
            if (for_windows && package_options.player.empty())
                package_options.player = windows_player_near(tool_path(argv[0])).value_or(std::filesystem::path());
            package_skin(package_options, std::cout);
        };
    });

    add_watch_command(app, command, check_platform, argv[0]);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? 0 : 1;
    }
    try {
        command();
    } catch (const std::exception& error) {
        std::cout.flush();
        std::cerr << to_message_line(error.what()) << '\n';
        return 1;
    }
    return 0;
}
