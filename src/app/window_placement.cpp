// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_placement.h"

#include <algorithm>

std::pair<std::int32_t, std::int32_t> centred_origin(const Rect& desktop, std::int32_t width, std::int32_t height)
{
    const std::int32_t x = (desktop.right - width - desktop.left) / 2;
    const std::int32_t y = (desktop.bottom - height - desktop.top) / 2;
    return {std::max(x, 0), std::max(y, 0)};
}
