// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/program_folder.h"

#include "platform/installed_skins.h"

namespace {

// <prefix>/`below` for the program's <prefix>/bin, or empty when that is unknown.
std::filesystem::path under_prefix(const std::filesystem::path& below)
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return (executable.parent_path().parent_path() / below).lexically_normal();
}

} // namespace

std::filesystem::path installed_plugins_folder()
{
    return under_prefix("lib/vorlunde/plugins");
}

std::filesystem::path installed_skins_folder()
{
    return under_prefix("share/vorlunde/skins");
}
