// SPDX-License-Identifier: GPL-3.0-or-later
#include "did_you_mean.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace {

// Edits (insert, delete, replace, swap of neighbours) from `a` to `b`, letters without case.
std::size_t edit_distance(std::string_view a, std::string_view b)
{
    const auto same = [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    };
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    std::iota(d[0].begin(), d[0].end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (same(a[i - 1], b[j - 1]) ? 0 : 1)});
            if (i > 1 && j > 1 && same(a[i - 1], b[j - 2]) && same(a[i - 2], b[j - 1]))
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

} // namespace

std::string did_you_mean(std::string_view name, const std::vector<std::string>& known)
{
    const std::size_t limit = std::max<std::size_t>(1, name.size() / 3);
    const std::string* best = nullptr;
    std::size_t best_distance = limit + 1;
    for (const std::string& candidate : known) {
        if (candidate == name)
            continue;
        const std::size_t distance = edit_distance(name, candidate);
        if (distance < best_distance) {
            best_distance = distance;
            best = &candidate;
        }
    }
    return best ? "; did you mean " + *best + "?" : std::string();
}
