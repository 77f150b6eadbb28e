// SPDX-License-Identifier: GPL-3.0-or-later
// presentation_art: the intro and outro pictures, drawn inside layout::presentation (the
// window region the player gives those acts) and cut to a rounded square that their masks
// follow.
#pragma once

#include "canvas.h"
#include "panel_art.h"

// The outline of the intro and outro pictures.
Coverage presentation_shape();

Canvas draw_intro(const ArtFonts& fonts);
Canvas draw_outro(const ArtFonts& fonts);
