// SPDX-License-Identifier: GPL-3.0-or-later
// panel_art: paints the panel pages of the demo skin. Each look has three pictures of the
// whole window that the player cuts buttons, lamps and list lines from: the normal one, one
// with every button pushed in (and the list filled with the selection colour), and one with
// every button and lamp lit (and the list filled with the hover colour). Also the slider
// knobs, which are drawn over their grooves.
#pragma once

#include "canvas.h"
#include "look.h"
#include "text_painter.h"

enum class ArtState { normal, pressed, hover };

// The faces the art is lettered in.
struct ArtFonts {
    const TextPainter& title;    // the player's name
    const TextPainter& caption;  // small capitals: display captions, lamp labels
    const TextPainter& label;    // button labels
    const TextPainter& headline; // intro and outro
    const TextPainter& text;     // intro and outro lines
};

// The outline of the panel: what the window mask keeps.
Coverage panel_shape();

Canvas draw_panel(const Look& look, ArtState state, const ArtFonts& fonts);

// Knobs fill their groove's thickness: the seek knob is layout::seek_knob_width wide, the
// scroll knob layout::scroll_knob_height high.
Canvas draw_seek_knob(const Look& look);
Canvas draw_scroll_knob(const Look& look);
