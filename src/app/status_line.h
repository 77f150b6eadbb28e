// SPDX-License-Identifier: GPL-3.0-or-later
// draw_status_line: the title of the current track at the bottom of the panel, in the skin's
// font named "font", colour 0x12436B as the skin gives it (red 0x6B, green 0x43, blue 0x12),
// with its top-left corner at (51, 462). A skin without that font has no status line.
// UI thread only.
#pragma once

#include "audio/track_entry.h"

#include <cstdint>

class BackBuffer;
class FontRegistry;
class TrackTitleTable;

inline constexpr int status_line_x = 51;
inline constexpr int status_line_y = 462;
inline constexpr std::uint32_t status_line_rgb = 0x6B4312;

// Draws the title of playlist index `current_index` into `target`.
void draw_status_line(BackBuffer& target, const FontRegistry& fonts, const TrackTitleTable& titles,
                      PlaylistIndex current_index);
