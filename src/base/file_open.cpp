// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/file_open.h"

std::FILE* open_for_reading(const std::filesystem::path& path)
{
#ifdef _WIN32
    return _wfopen(path.c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

std::string library_file_name(const std::filesystem::path& path)
{
#ifdef _WIN32
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
#else
    return path.string();
#endif
}
