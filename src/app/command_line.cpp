// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

namespace {

CommandLine usage_error(std::string text)
{
    return CommandLine{.action = CommandLine::Action::usage_error, .skin_dir = {}, .error = std::move(text)};
}

bool is_folder(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

CommandLine find_skin(std::string_view skin, std::span<const std::filesystem::path> data_dirs)
{
    const std::filesystem::path as_given(skin);
    if (skin.find('/') != std::string_view::npos || skin == "." || skin == "..") {
        if (is_folder(as_given))
            return CommandLine{.action = CommandLine::Action::run, .skin_dir = as_given, .error = {}};
        return usage_error("no skin folder " + std::string(skin));
    }
    for (const auto& dir : data_dirs) {
        const auto installed = dir / "vorlunde" / "skins" / as_given;
        if (is_folder(installed))
            return CommandLine{.action = CommandLine::Action::run, .skin_dir = installed, .error = {}};
    }
    if (is_folder(as_given))
        return CommandLine{.action = CommandLine::Action::run, .skin_dir = as_given, .error = {}};
    return usage_error("no skin folder or installed skin named " + std::string(skin));
}

} // namespace

std::string help_text()
{
    return std::string(usage_line) +
           "\n\n"
           "Plays the skin in SKIN: a folder holding tarnel.cfg and tarnel.dat, or the name of a\n"
           "skin installed under $XDG_DATA_HOME/vorlunde/skins or $XDG_DATA_DIRS/*/vorlunde/skins.\n"
           "Without SKIN the working directory holds the skin.\n\n"
           "  --help     show this text and exit\n"
           "  --version  show the version and exit\n";
}

CommandLine parse_command_line(std::span<const std::string_view> arguments,
                               std::span<const std::filesystem::path> data_dirs)
{
    if (arguments.empty())
        return CommandLine{};
    const std::string_view first = arguments.front();
    if (first == "--help" || first == "-h")
        return CommandLine{.action = CommandLine::Action::help, .skin_dir = {}, .error = {}};
    if (first == "--version")
        return CommandLine{.action = CommandLine::Action::version, .skin_dir = {}, .error = {}};
    if (first.starts_with('-'))
        return usage_error("unknown option " + std::string(first));
    if (arguments.size() > 1)
        return usage_error("only one skin at a time");
    if (first.empty())
        return usage_error("empty skin name");
    return find_skin(first, data_dirs);
}

std::vector<std::filesystem::path> xdg_data_dirs(std::string_view data_home, std::string_view home,
                                                 std::string_view data_dirs)
{
    std::vector<std::filesystem::path> dirs;
    const auto add = [&](std::filesystem::path dir) {
        if (dir.is_absolute())
            dirs.push_back(std::move(dir));
    };
    if (!data_home.empty())
        add(data_home);
    else if (!home.empty())
        add(std::filesystem::path(home) / ".local" / "share");
    const std::string_view list = data_dirs.empty() ? std::string_view("/usr/local/share:/usr/share") : data_dirs;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        add(std::filesystem::path(list.substr(start, end - start)));
        start = end + 1;
    }
    return dirs;
}
