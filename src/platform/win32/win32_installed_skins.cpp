// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/installed_skins.h"

#include <windows.h>

#include <vector>

std::filesystem::path installed_skins_folder()
{
    // Long paths: grow the buffer until the whole name fits.
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return {};
        if (length < name.size())
            return std::filesystem::path(std::wstring(name.data(), length)).parent_path() / L"skins";
        name.resize(name.size() * 2);
    }
}
