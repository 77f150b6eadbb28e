// SPDX-License-Identifier: GPL-3.0-or-later
// Window shapes: "panel" from a one-byte-per-pixel mask in the archive (0 = the pixel
// belongs to the window), "intro" and "outro" a fixed rectangle.
// A Region is a list of non-overlapping rectangles, right and bottom exclusive, built from
// runs of pixels (rows with the same runs merged into one taller rectangle). Value type:
// applying a region hands the window a copy, so a registered region can be applied again.
#pragma once

#include "base/rect.h"

#include <cstdint>
#include <string_view>
#include <vector>

class DataArchive;

struct Region {
    std::vector<Rect> rectangles; // right and bottom exclusive; empty: no shape
    int scale = 1;                // the rectangles' pixels per skin pixel, each way

    bool contains(std::int32_t x, std::int32_t y) const;
    friend bool operator==(const Region&, const Region&) = default;
};

// Always inside the panel shape, whatever the mask says.
inline constexpr Rect panel_interior{25, 21, 576, 488};
// The whole "intro" and "outro" shape.
inline constexpr Rect intro_rectangle{90, 45, 510, 465};

// The shape named `name`: exactly "intro" gives the fixed rectangle and reads nothing;
// any other name is the archive file holding a mask of width × height bytes, rows from the
// top. The result is the interior rectangle plus every pixel outside it whose mask byte
// is 0. Pixels beyond the end of a short mask are cut away; the mask is never read past
// its end. A missing mask throws the archive's SkinError. At `scale` 2 the mask is one at
// twice the size (width and height are its own) and the interior rectangle is doubled.
Region build_region(const DataArchive& archive, std::string_view name, int width, int height, int scale = 1);

// True when the archive holds the twice-size mask of `name` (twice_size_name) with exactly
// 2·width × 2·height bytes for a `width` × `height` window.
bool twice_size_mask_fits(const DataArchive& archive, std::string_view name, int width, int height);

// The shape of the mask `name` for a `width` × `height` window at `scale`: at 2 from its
// twice-size mask when that fits, else (and at 1) from the mask itself.
Region build_window_region(const DataArchive& archive, std::string_view name, int width, int height, int scale);
