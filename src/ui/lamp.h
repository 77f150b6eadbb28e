// SPDX-License-Identifier: GPL-3.0-or-later
// Lamp: a named indicator rectangle of a page. A lit lamp is drawn from the page's hover
// bitmap. The page lights "musiclooped", "musicrandom" and "modulelooped"; lamps with other
// names stay dark. Value type owned by its page.
#pragma once

#include "base/rect.h"

#include <string>
#include <string_view>

struct Lamp {
    Rect rect;
    std::string name;
    bool lit = false;

    // lit := value when the name equals `lamp_name` byte for byte.
    void set(std::string_view lamp_name, bool value)
    {
        if (name == lamp_name)
            lit = value;
    }
};
