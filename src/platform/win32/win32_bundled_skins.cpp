// SPDX-License-Identifier: GPL-3.0-or-later
// bundled_skin_folders on Windows: `skins` in the folder of the running executable, where the
// zip and the installer put the demo.
#include "platform/desktop_platform.h"

#include <windows.h>

#include <string>

std::vector<std::filesystem::path> bundled_skin_folders()
{
    // The path may exceed MAX_PATH: grow the buffer until it fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) // longer than any Windows path
            return {};
        path.resize(path.size() * 2);
    }
    return {std::filesystem::path(path).parent_path() / L"skins"};
}
