// SPDX-License-Identifier: GPL-3.0-or-later
// File names on Windows: a path holds UTF-16; files open with _wfopen, libraries take UTF-8.
#include "base/file_open.h"

std::FILE* open_for_reading(const std::filesystem::path& path)
{
    return _wfopen(path.c_str(), L"rb");
}

std::string library_file_name(const std::filesystem::path& path)
{
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}
