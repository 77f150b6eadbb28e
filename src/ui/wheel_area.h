// SPDX-License-Identifier: GPL-3.0-or-later
// WheelArea: a rectangle that posts its up pair when the wheel turns up over it and its
// down pair when it turns down. A zero delta posts the pair posted last ((0, 0) at first).
// Value type owned by its page; UI thread only.
#pragma once

#include "base/command.h"
#include "base/rect.h"

class WheelArea {
public:
    WheelArea(Rect rect, Command up, Command down) : rect_(rect), up_(up), down_(down) {}

    // When (x, y) is inside: picks the pair by the sign of `delta` and posts it.
    void wheel(int x, int y, int delta, CommandSink& sink)
    {
        if (!rect_.contains(x, y))
            return;
        if (delta > 0)
            last_ = up_;
        else if (delta < 0)
            last_ = down_;
        sink.post_command(last_);
    }

private:
    Rect rect_;
    Command up_;
    Command down_;
    Command last_;
};
