// SPDX-License-Identifier: GPL-3.0-or-later
// PageLook: what a page's drawing depends on, element by element, so that a frame can tell
// which rectangles changed since the page was last drawn. Each part is the area an element
// draws into (client pixels, right and bottom exclusive) and the few numbers that decide its
// pixels there (a button's pressed state and glow opacity, a lamp's light, a knob's place,
// a list's scroll, hover and selection). Value type; UI thread only.
#pragma once

#include "base/rect.h"

#include <array>
#include <cstdint>
#include <vector>

struct LookPart {
    Rect area;
    std::array<std::int32_t, 6> state{};

    friend bool operator==(const LookPart&, const LookPart&) = default;
};

struct PageLook {
    std::vector<LookPart> parts;

    friend bool operator==(const PageLook&, const PageLook&) = default;
};

// Appends to `changed` the bounding box of the old and new areas of every part that differs
// between `drawn` and `now`; with a different element count, every area of both.
void add_changed_areas(const PageLook& drawn, const PageLook& now, std::vector<Rect>& changed);
