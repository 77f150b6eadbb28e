// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin_package.h"

#include "base/desktop_text.h"
#include "config/config_visitor.h"
#include "config/config_walker.h"
#include "file_bytes.h"
#include "licence_text.h"
#include "packed_files.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace {

// What a configuration names outside its archive.
class SkinFiles final : public ConfigVisitor {
public:
    void chunk_accepted(const ChunkRecord& chunk) override
    {
        if (chunk.level == ChunkLevel::root) {
            title = chunk.text("title");
        } else if (chunk.level == ChunkLevel::top && chunk.layout && chunk.layout->name == "track_list" &&
                   chunk.number("kind") == 1) {
            for (const FieldValues& entry : chunk.values.entries)
                if (!std::get<std::string>(entry[1]).empty())
                    playlist.push_back(std::get<std::string>(entry[1]));
        } else if (chunk.level == ChunkLevel::top && chunk.layout && chunk.layout->name == "plugin") {
            plugins.push_back(chunk.text("library"));
        }
    }

    std::string title;
    std::vector<std::string> playlist;
    std::vector<std::string> plugins;
};

// `file` as a path inside the skin's folder, or an error naming what refers to it.
fs::path inside_skin(const std::string& file, const std::string& what)
{
    // Windows skins may write backslashes.
    std::string slashed = file;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    const fs::path path = fs::path(slashed).lexically_normal();
    if (path.is_absolute() || path.empty() || *path.begin() == "..")
        throw std::runtime_error(what + " " + file + " lies outside the skin's folder, so a package can't carry it; "
                                 "put it in the folder and name it from there");
    return path;
}

void check_name(const std::string& name)
{
    const bool plain = !name.empty() && name[0] != '.' && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.';
    });
    if (!plain)
        throw std::runtime_error("skin name " + name + " must be letters, digits, '-', '_' and '.' (give one with --name)");
}

// A desktop entry's value: one line of UTF-8.
std::string entry_value(const std::string& skin_text)
{
    std::string value;
    for (const char c : to_desktop_text(skin_text))
        if (static_cast<unsigned char>(c) >= 0x20)
            value += c;
    return value.empty() ? "vorlunde skin" : value;
}

std::string install_script(const std::string& name, const std::string& title)
{
    return "#!/bin/sh\n"
           "# Installs the vorlunde skin \"" + name + "\" for this user: the skin under\n"
           "# $XDG_DATA_HOME/vorlunde/skins (~/.local/share by default) and a menu entry.\n"
           "set -e\n"
           "here=$(cd \"$(dirname \"$0\")\" && pwd)\n"
           "data=${XDG_DATA_HOME:-$HOME/.local/share}\n"
           "mkdir -p \"$data/vorlunde/skins\" \"$data/applications\"\n"
           "rm -rf \"$data/vorlunde/skins/" + name + "\"\n"
           "cp -R \"$here/" + name + "\" \"$data/vorlunde/skins/" + name + "\"\n"
           "cat > \"$data/applications/vorlunde-skin-" + name + ".desktop\" <<'ENTRY'\n"
           "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" + title + "\n"
           "Comment=A skin for the vorlunde music player\n"
           "Exec=vorlunde " + name + "\n"
           "Icon=org.vorlunde.vorlunde\n"
           "Categories=AudioVideo;Audio;Player;\n"
           "ENTRY\n"
           "echo \"installed " + name + ": start it from the menu or with: vorlunde " + name + "\"\n";
}

std::string readme(const std::string& title)
{
    const std::string text =
        title + "\n\n"
        "Double-click vorlunde.exe to play this skin. The player plays the skin in its own folder\n"
        "(tarnel.cfg, tarnel.dat and the music beside it), so keep the files together.\n\n"
        "vorlunde, the player (vorlunde.exe), is free software: you can redistribute it and/or\n"
        "modify it under the terms of the GNU General Public License as published by the Free\n"
        "Software Foundation, either version 3 of the License, or (at your option) any later\n"
        "version. It comes WITHOUT ANY WARRANTY. LICENSE.txt holds the licence. Whoever gave you\n"
        "this program must also give you its source code on request, under the licence's terms.\n\n"
        "The skin's own pictures, music and fonts are its authors' and come under their terms.\n";
    std::string crlf;
    for (const char c : text) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    return crlf;
}

std::vector<std::uint8_t> bytes_of(std::string_view text)
{
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> windows_player(const fs::path& player)
{
    std::vector<std::uint8_t> bytes = read_file_bytes(player);
    if (player.extension() == ".zip") {
        auto exe = file_in_zip(bytes, "vorlunde.exe");
        if (!exe)
            throw std::runtime_error(player.string() + " holds no vorlunde.exe");
        bytes = std::move(*exe);
    }
    if (bytes.size() < 2 || bytes[0] != 'M' || bytes[1] != 'Z')
        throw std::runtime_error(player.string() + " is not a Windows program");
    return bytes;
}

} // namespace

std::optional<fs::path> windows_player_near(const fs::path& tool)
{
    const fs::path folder = tool.parent_path();
    for (const fs::path& candidate : {folder / "vorlunde.exe", folder / ".." / ".." / "src" / "vorlunde.exe",
                                      folder / ".." / ".." / ".." / "windows-x86_64" / "src" / "vorlunde.exe"}) {
        std::error_code error;
        if (fs::is_regular_file(candidate, error))
            return candidate.lexically_normal();
    }
    return std::nullopt;
}

void package_skin(const PackageOptions& options, std::ostream& out)
{
    const std::string name =
        options.name.empty() ? fs::absolute(options.skin_dir).lexically_normal().filename().string() : options.name;
    check_name(name);
    SkinFiles skin;
    walk_config_file(options.skin_dir / "tarnel.cfg", skin);
    std::vector<PackedFile> files;
    const auto add = [&](const fs::path& inside, bool executable = false) {
        files.push_back({name + "/" + inside.generic_string(), read_file_bytes(options.skin_dir / inside), executable});
    };
    add("tarnel.cfg");
    add("tarnel.dat");
    for (const std::string& track : skin.playlist) {
        const fs::path path = inside_skin(track, "playlist file");
        std::error_code error;
        if (!fs::is_regular_file(options.skin_dir / path, error))
            throw std::runtime_error("playlist file " + track + " is not in " + options.skin_dir.string());
        add(path);
    }
    for (const std::string& library : skin.plugins) {
        // A bare name may be a system library: only files in the skin's folder travel.
        std::error_code error;
        if (fs::path(library).has_parent_path() || fs::is_regular_file(options.skin_dir / library, error)) {
            add(inside_skin(library, "plug-in"));
            const auto& data = files.back().data;
            const bool windows_library = data.size() >= 2 && data[0] == 'M' && data[1] == 'Z';
            if (windows_library != (options.target == PackageTarget::windows_zip))
                out << "warning: plug-in " << library << " is not a "
                    << (options.target == PackageTarget::windows_zip ? "Windows" : "Linux")
                    << " library; the player there can't load it\n";
        }
    }
    const std::string title = entry_value(skin.title);
    std::vector<std::uint8_t> packed;
    if (options.target == PackageTarget::windows_zip) {
        if (options.player.empty())
            throw std::runtime_error("no vorlunde.exe found: give --player (vorlunde.exe or a release zip)");
        files.insert(files.begin(), {name + "/vorlunde.exe", windows_player(options.player), true});
        files.push_back({name + "/LICENSE.txt", bytes_of(licence_text()), false});
        files.push_back({name + "/README.txt", bytes_of(readme(title)), false});
        write_file_bytes(options.output, zip_archive(files));
    } else {
        files.push_back({"install.sh", bytes_of(install_script(name, title)), true});
        if (options.output.string().ends_with(".tar.gz")) {
            write_file_bytes(options.output, tar_gz_archive(files));
        } else {
            for (const PackedFile& file : files) {
                const fs::path path = options.output / file.name;
                fs::create_directories(path.parent_path());
                write_file_bytes(path, file.data);
                if (file.executable)
                    fs::permissions(path, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                                    fs::perm_options::add);
            }
        }
    }
    out << "wrote " << options.output.string() << " (" << files.size() << " files: skin " << name << ", \"" << title << "\")\n";
}
