// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/window_scale.h"

#include <gtest/gtest.h>

TEST(WindowScaleTest, OverrideThenDesktopThenOne)
{
    struct Case {
        const char* vorlunde_scale;
        const char* gdk_scale;
        const char* resources;
        int scale;
    };
    const Case cases[] = {
        {"", "", "", 1},
        {"", "", "Xft.antialias:\t1\nXft.dpi:\t192\n", 2},
        {"", "", "Xft.dpi:\t144\n", 1},
        {"", "", "Xft.dpi: 96\nXft.dpi: 192.0", 2}, // the last entry counts
        {"", "", "Xft.dpi:", 1},
        {"", "", "MyXft.dpi:\t192", 1},
        {"", "2", "", 2},
        {"", "1", "Xft.dpi:\t96", 1},
        {"1", "2", "Xft.dpi:\t192", 1},
        {"2", "", "", 2},
        {"3", "", "", 1}, // not a scale we offer: the desktop decides
        {"x", "2", "", 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(choose_window_scale(c.vorlunde_scale, c.gdk_scale, c.resources), c.scale)
            << c.vorlunde_scale << " / " << c.gdk_scale << " / " << c.resources;
}
