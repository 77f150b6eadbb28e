// SPDX-License-Identifier: GPL-3.0-or-later
// colour_key_shape: the part of a frame that is not the colour key, as rectangles (right and
// bottom exclusive): the runs of non-key pixels of each row, rows with the same runs joined
// into one taller rectangle, in the frame's own pixels (twice the skin's at scale 2). `key`
// is 0xRRGGBB; the pixels' alpha byte is ignored.
#pragma once

#include "base/rect.h"
#include "image/back_buffer.h"

#include <cstdint>
#include <vector>

std::vector<Rect> colour_key_shape(const BackBuffer& frame, std::uint32_t key);
