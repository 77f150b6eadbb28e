// SPDX-License-Identifier: GPL-3.0-or-later
// tarnel-skin: builds and inspects skins. Parses the command line and runs one command from
// commands.h; any error is printed to standard error and the exit status is 1.
#include "commands.h"
#include "desktop/tool_platform.h"
#include "starter_skin.h"
#include "watch_command.h"

#include "base/desktop_text.h"

#include <CLI/CLI.hpp>

#include <exception>
#include <functional>
#include <iostream>
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

    CLI::App* build = app.add_subcommand("build", "Write DIR/tarnel.cfg and DIR/tarnel.dat from a manifest");
    build->add_option("manifest", manifest, "Skin manifest (TOML)")->required();
    build->add_option("-o,--output", out_dir, "Folder to write the skin into")->required();
    build->callback([&] { command = [&] { build_skin(manifest, out_dir, std::cout); }; });

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

    CLI::App* check = app.add_subcommand("check", "Load a skin as the player does; print its error and exit 1");
    check->add_option("dir", dir, "Folder holding tarnel.cfg and tarnel.dat")->required();
    check->callback([&] {
        command = [&] {
            check_skin(dir, check_platform);
        };
    });

    std::string page, png;
    bool all_pages = false;
    CLI::App* render = app.add_subcommand("render", "Draw one page of a skin, or every page and button look, to PNG files");
    render->add_option("dir", dir, "Folder holding tarnel.cfg and tarnel.dat")->required();
    CLI::Option* page_option = render->add_option("--page", page, "Name of the page to draw");
    CLI::Option* all_option = render->add_flag("--all", all_pages, "Draw every page, and each button pressed and hovered");
    page_option->excludes(all_option);
    render->add_option("-o,--output", png, "PNG file to write (with --all: the folder to write into)")->required();
    render->callback([&] {
        if (!all_pages && page.empty())
            throw CLI::RequiredError("--page or --all");
        command = [&] {
            ToolPlatform platform(false, true);
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

    add_watch_command(app, command, check_platform);

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
