// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/page_look.h"

#include <algorithm>

namespace {

Rect bounding_box(const Rect& a, const Rect& b)
{
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

} // namespace

void add_changed_areas(const PageLook& drawn, const PageLook& now, std::vector<Rect>& changed)
{
    if (drawn.parts.size() != now.parts.size()) {
        for (const PageLook* look : {&drawn, &now}) {
            for (const LookPart& part : look->parts)
                changed.push_back(part.area);
        }
        return;
    }
    for (std::size_t i = 0; i < now.parts.size(); ++i) {
        if (drawn.parts[i] != now.parts[i])
            changed.push_back(bounding_box(drawn.parts[i].area, now.parts[i].area));
    }
}
