// SPDX-License-Identifier: GPL-3.0-or-later
// Look: the colours of one panel page ("dzien", "wieczor", "noc"): body, displays, buttons,
// lights and the emblem in the title bar. The looks are fixed values.
#pragma once

#include "canvas.h"

#include <array>
#include <string_view>

enum class Emblem { sun, sunset, moon };

struct Look {
    std::string_view page;     // the page name
    std::string_view caption;  // shown after the player's name
    Emblem emblem;
    Colour body_top, body_bottom, rim;
    Colour bezel, bezel_text;  // frames round the displays and their captions
    Colour paper_top, paper_bottom, paper_hover, paper_selected;
    Colour groove, knob_top, knob_bottom;
    Colour button_top, button_bottom, button_edge, icon;
    Colour ink;                // labels on the body
    Colour light;              // lit lamps and hover glow
};

// The three panel looks: day, evening, night.
const std::array<Look, 3>& panel_looks();
