// SPDX-License-Identifier: GPL-3.0-or-later
// centred_origin: where a window of width × height goes to sit centred on the desktop:
// x = (right - width - left) / 2 and y = (bottom - height - top) / 2, each truncated toward
// zero, and a negative result becomes 0 (a window larger than the desktop keeps its
// top-left corner on screen).
#pragma once

#include "base/rect.h"

#include <cstdint>
#include <utility>

std::pair<std::int32_t, std::int32_t> centred_origin(const Rect& desktop, std::int32_t width, std::int32_t height);
