// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/twice_size_name.h"

std::string twice_size_name(std::string_view name)
{
    const std::size_t folder_end = name.find_last_of("\\/");
    const std::size_t dot = name.rfind('.');
    const bool has_extension = dot != std::string_view::npos && (folder_end == std::string_view::npos || dot > folder_end);
    const std::size_t at = has_extension ? dot : name.size();
    std::string result(name.substr(0, at));
    result += "@2x";
    result += name.substr(at);
    return result;
}
