// SPDX-License-Identifier: GPL-3.0-or-later
// preview: a picture of a panel page as the player shows it in use, for looking at the art:
// list lines in the player's text colour, a hovered and a selected line cut from the hover
// and pressed pictures, knobs on their grooves, a lamp lit and the status line.
#pragma once

#include "canvas.h"
#include "text_painter.h"

#include <string>
#include <vector>

struct PreviewInputs {
    const Canvas& background;
    const Canvas& pressed;
    const Canvas& hover;
    const Canvas& seek_knob;
    const Canvas& scroll_knob;
    const std::vector<std::string>& titles;    // playlist lines
    const std::vector<std::string>& documents; // text browser lines
};

Canvas preview_page(const PreviewInputs& inputs, const TextPainter& list_font, const TextPainter& status_font);
