// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include <optional>

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

CommandLine run_in(std::filesystem::path skin_dir)
{
    return CommandLine{.action = CommandLine::Action::run, .skin_dir = std::move(skin_dir), .error = {}};
}

// The first of `skin_folders` holding a skin named `name`.
std::optional<std::filesystem::path> installed_skin(std::string_view name,
                                                    std::span<const std::filesystem::path> skin_folders)
{
    for (const auto& folder : skin_folders) {
        auto installed = folder / name;
        if (is_folder(installed))
            return installed;
    }
    return std::nullopt;
}

CommandLine find_skin(std::string_view skin, std::span<const std::filesystem::path> skin_folders,
                      const std::filesystem::path& working_dir)
{
    const std::filesystem::path as_given(skin);
    const bool local = is_folder(working_dir / as_given);
    if (skin.find('/') != std::string_view::npos || skin == "." || skin == "..") {
        if (local)
            return run_in(as_given);
        return usage_error("no skin folder " + std::string(skin));
    }
    if (auto installed = installed_skin(skin, skin_folders))
        return run_in(std::move(*installed));
    if (local)
        return run_in(as_given);
    return usage_error("no skin folder or installed skin named " + std::string(skin));
}

CommandLine find_default_skin(std::span<const std::filesystem::path> skin_folders,
                              const std::filesystem::path& working_dir)
{
    std::error_code error;
    if (!std::filesystem::exists(working_dir / "tarnel.cfg", error))
        if (auto installed = installed_skin(default_skin_name, skin_folders))
            return run_in(std::move(*installed));
    return CommandLine{};
}

} // namespace

std::string help_text()
{
    return std::string(usage_line) +
           "\n\n"
           "Plays the skin in SKIN: a folder holding tarnel.cfg and tarnel.dat, or the name of a\n"
           "skin installed under $XDG_DATA_HOME/vorlunde/skins or $XDG_DATA_DIRS/*/vorlunde/skins.\n"
           "Without SKIN: the skin in the working directory, else the installed skin \"demo\".\n\n"
           "  --help     show this text and exit\n"
           "  --version  show the version and exit\n";
}

CommandLine parse_command_line(std::span<const std::string_view> arguments,
                               std::span<const std::filesystem::path> skin_folders,
                               const std::filesystem::path& working_dir)
{
    if (arguments.empty())
        return find_default_skin(skin_folders, working_dir);
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
    return find_skin(first, skin_folders, working_dir);
}

std::vector<std::filesystem::path> installed_skin_folders(std::span<const std::filesystem::path> data_dirs,
                                                          const std::filesystem::path& beside_program)
{
    std::vector<std::filesystem::path> folders;
    for (const auto& dir : data_dirs)
        folders.push_back(dir / "vorlunde" / "skins");
    if (!beside_program.empty())
        folders.push_back(beside_program);
    return folders;
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
