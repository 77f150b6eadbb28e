// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/window_scale.h"

#include <charconv>

namespace {

// The number at the start of `text` after blanks, or 0.
double leading_number(std::string_view text)
{
    const auto start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos)
        return 0.0;
    double value = 0.0;
    std::from_chars(text.data() + start, text.data() + text.size(), value);
    return value;
}

double xft_dpi(std::string_view resources)
{
    constexpr std::string_view key = "Xft.dpi:";
    double dpi = 0.0;
    while (!resources.empty()) {
        const auto end = resources.find('\n');
        const std::string_view line = resources.substr(0, end);
        if (line.starts_with(key))
            dpi = leading_number(line.substr(key.size())); // the last entry wins, as in Xrm
        resources = end == std::string_view::npos ? std::string_view() : resources.substr(end + 1);
    }
    return dpi;
}

} // namespace

int choose_window_scale(std::string_view vorlunde_scale, std::string_view gdk_scale, std::string_view x_resources)
{
    if (vorlunde_scale == "1" || vorlunde_scale == "2")
        return vorlunde_scale == "2" ? 2 : 1;
    if (leading_number(gdk_scale) >= 2.0 || xft_dpi(x_resources) >= 192.0)
        return 2;
    return 1;
}
