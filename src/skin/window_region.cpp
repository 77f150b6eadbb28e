// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/window_region.h"

#include "archive/data_archive.h"
#include "base/presentation_names.h"
#include "base/twice_size_name.h"

#include <algorithm>
#include <span>

namespace {

using Runs = std::vector<std::pair<std::int32_t, std::int32_t>>; // [begin, end) columns

// The columns of row y that belong to the window: the interior span, plus outside it the
// columns whose mask byte is 0 (a byte missing from a short mask counts as cut away).
Runs row_runs(std::span<const std::uint8_t> mask, int width, int y, const Rect& interior)
{
    const bool interior_row = y >= interior.top && y < interior.bottom;
    const std::size_t row_start = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    Runs runs;
    auto inside = [&](int x) {
        if (interior_row && x >= interior.left && x < interior.right)
            return true;
        const std::size_t at = row_start + static_cast<std::size_t>(x);
        return at < mask.size() && mask[at] == 0;
    };
    for (int x = 0; x < width;) {
        if (!inside(x)) {
            ++x;
            continue;
        }
        const int begin = x;
        while (x < width && inside(x))
            ++x;
        runs.emplace_back(begin, x);
    }
    if (interior_row && width <= interior.left)
        runs.emplace_back(interior.left, interior.right);
    else if (interior_row && width < interior.right)
        runs.back().second = interior.right;
    return runs;
}

} // namespace

bool Region::contains(std::int32_t x, std::int32_t y) const
{
    return std::any_of(rectangles.begin(), rectangles.end(),
                       [&](const Rect& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; });
}

Region build_region(const DataArchive& archive, std::string_view name, int width, int height, int scale)
{
    if (name == presentation_names::intro_region)
        return Region{{intro_rectangle}};
    scale = scale == 2 ? 2 : 1;
    const Rect interior{panel_interior.left * scale, panel_interior.top * scale, panel_interior.right * scale,
                        panel_interior.bottom * scale};

    const ArchiveFile mask_file = archive.find_file(name);
    const auto mask = mask_file.bytes;
    width = std::max(width, 0);
    // Rows past the interior that the window does not reach still hold the interior.
    const int rows = std::max(height, interior.bottom);

    Region region{{}, scale};
    std::vector<std::size_t> open; // rectangles that may still grow downwards
    Runs previous;
    for (int y = 0; y < rows; ++y) {
        const Runs runs = y < height ? row_runs(mask, width, y, interior)
                          : (y >= interior.top) ? Runs{{interior.left, interior.right}}
                                                      : Runs{};
        if (runs == previous && !open.empty()) {
            for (std::size_t index : open)
                region.rectangles[index].bottom = y + 1;
            continue;
        }
        open.clear();
        for (const auto& [begin, end] : runs) {
            open.push_back(region.rectangles.size());
            region.rectangles.push_back(Rect{begin, y, end, y + 1});
        }
        previous = runs;
    }
    archive.release(mask_file); // read again at the next page switch
    return region;
}

bool twice_size_mask_fits(const DataArchive& archive, std::string_view name, int width, int height)
{
    const std::string twice = twice_size_name(name);
    return width > 0 && height > 0 && archive.has_file(twice) &&
           archive.find_file(twice).bytes.size() == std::size_t{4} * static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

Region build_window_region(const DataArchive& archive, std::string_view name, int width, int height, int scale)
{
    if (scale == 2 && twice_size_mask_fits(archive, name, width, height))
        return build_region(archive, twice_size_name(name), width * 2, height * 2, 2);
    return build_region(archive, name, width, height);
}
