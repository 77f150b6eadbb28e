// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/colour_key_shape.h"


namespace {

struct Run {
    std::int32_t left;
    std::int32_t right;
    friend bool operator==(const Run&, const Run&) = default;
};

std::vector<Run> runs_of_row(const BackBuffer& frame, int y, std::uint32_t key)
{
    std::vector<Run> runs;
    const int width = frame.pixel_width();
    int x = 0;
    while (x < width) {
        while (x < width && (frame.pixel(x, y) & 0xFFFFFFu) == key)
            ++x;
        const int start = x;
        while (x < width && (frame.pixel(x, y) & 0xFFFFFFu) != key)
            ++x;
        if (x > start)
            runs.push_back(Run{start, x});
    }
    return runs;
}

} // namespace

std::vector<Rect> colour_key_shape(const BackBuffer& frame, std::uint32_t key)
{
    key &= 0xFFFFFFu;
    std::vector<Rect> rectangles;
    std::vector<Run> previous;
    std::size_t first_open = 0; // rectangles from here on belong to the previous row's runs
    for (int y = 0; y < frame.pixel_height(); ++y) {
        std::vector<Run> runs = runs_of_row(frame, y, key);
        if (y > 0 && runs == previous) {
            for (std::size_t i = first_open; i < rectangles.size(); ++i)
                rectangles[i].bottom = y + 1;
            continue;
        }
        first_open = rectangles.size();
        for (const Run& run : runs)
            rectangles.push_back(Rect{run.left, y, run.right, y + 1});
        previous = std::move(runs);
    }
    return rectangles;
}
