// SPDX-License-Identifier: GPL-3.0-or-later
// The window region builder over arbitrary masks: the first two bytes choose the window's
// size (up to 255 × 255), the rest is the mask, stored in an archive as "Data\panel.rgn".
// The rectangles must lie inside the window, not overlap, and cover the interior; the mask
// is never read past its end.
#include "archive/data_archive.h"
#include "byte_builder.h"
#include "skin/window_region.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int width = data[0];
    const int height = data[1];
    ByteBuilder image;
    image.string("Data\\panel.rgn").u32(static_cast<std::uint32_t>(size - 2)).raw({data + 2, size - 2});
    DataArchive archive;
    archive.load_image(image.take());
    const Region region = build_region(archive, "Data\\panel.rgn", width, height);
    std::vector<std::uint8_t> covered(static_cast<std::size_t>(600 * 510), 0);
    for (const Rect& r : region.rectangles) {
        if (r.left < 0 || r.top < 0 || r.right > 600 || r.bottom > 510 || r.left >= r.right || r.top >= r.bottom)
            __builtin_trap();
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                std::uint8_t& pixel = covered[static_cast<std::size_t>(y * 600 + x)];
                if (pixel++ != 0)
                    __builtin_trap();
            }
        }
    }
    return 0;
}
