// SPDX-License-Identifier: GPL-3.0-or-later
#include "web_package.h"

#include <array>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, 4> player_files{"index.html", "player.js", "vorlunde.js", "vorlunde.wasm"};

bool is_plugin_library(const fs::path& file)
{
    const std::string extension = file.extension().string();
    return extension == ".so" || extension == ".dll" || extension == ".dylib";
}

void require_file(const fs::path& file, const std::string& what)
{
    if (!fs::is_regular_file(file))
        throw std::runtime_error("no " + what + " " + file.string());
}

} // namespace

void package_web(const fs::path& skin, const fs::path& site, const fs::path& player, std::ostream& out)
{
    for (const char* name : player_files)
        require_file(player / name, "web player file");
    require_file(skin / "tarnel.cfg", "skin file");
    require_file(skin / "tarnel.dat", "skin file");

    fs::create_directories(site / "skin");
    for (const char* name : player_files)
        fs::copy_file(player / name, site / name, fs::copy_options::overwrite_existing);

    std::size_t files = 0;
    std::uintmax_t bytes = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(skin)) {
        if (!entry.is_regular_file() || is_plugin_library(entry.path()))
            continue;
        const fs::path relative = entry.path().lexically_relative(skin);
        fs::create_directories((site / "skin" / relative).parent_path());
        fs::copy_file(entry.path(), site / "skin" / relative, fs::copy_options::overwrite_existing);
        bytes += entry.file_size();
        ++files;
    }
    out << "wrote " << site.string() << ": the web player and " << files << " skin files (" << bytes
        << " bytes); try it with: python3 -m http.server -d " << site.string() << '\n';
}
