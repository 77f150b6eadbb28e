// SPDX-License-Identifier: GPL-3.0-or-later
// Files named by std::filesystem::path for C libraries, on every system. A path holds UTF-16
// on Windows and bytes elsewhere, while the C libraries take char names:
//   open_for_reading    the file opened "rb" (_wfopen on Windows), or nullptr; the caller
//                       closes it
//   library_file_name   the name as the library expects it: UTF-8 on Windows (what mpg123
//                       takes there), the path's own bytes elsewhere
// Plain functions, any thread.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

std::FILE* open_for_reading(const std::filesystem::path& path);
std::string library_file_name(const std::filesystem::path& path);
