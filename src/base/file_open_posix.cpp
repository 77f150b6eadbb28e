// SPDX-License-Identifier: GPL-3.0-or-later
// File names on POSIX systems: a path holds the bytes the C libraries take.
#include "base/file_open.h"

std::FILE* open_for_reading(const std::filesystem::path& path)
{
    return std::fopen(path.c_str(), "rb");
}

std::string library_file_name(const std::filesystem::path& path)
{
    return path.string();
}
