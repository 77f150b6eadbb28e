// SPDX-License-Identifier: GPL-3.0-or-later
// layout: where everything of the demo skin sits, in window pixels. The art draws these
// rectangles and the manifest hands the same ones to the player, so they live in one place.
// Rectangles are [left, top, right, bottom) as drawn; the manifest writes them unchanged.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace layout {

struct Box {
    int left, top, right, bottom;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

inline constexpr int window_width = 600;
inline constexpr int window_height = 510;

// The panel's outline: a rounded body; the window mask cuts away what lies outside it.
inline constexpr Box body{6, 4, 594, 506};
inline constexpr int body_radius = 26;

// The intro and outro pictures fill the window region the player gives those acts.
inline constexpr Box presentation{90, 45, 510, 465};
inline constexpr int presentation_radius = 44;

// Title bar: emblem, name, and the three window buttons.
inline constexpr Box emblem{36, 22, 66, 52};
inline constexpr int title_x = 76;
inline constexpr int title_baseline = 46;
inline constexpr Box tray_button{480, 24, 508, 52};
inline constexpr Box minimise_button{512, 24, 540, 52};
inline constexpr Box quit_button{544, 24, 572, 52};

// The two displays: a frame with a caption strip, the element inside, its scroll slider.
inline constexpr Box list_frame{32, 64, 316, 344};
inline constexpr Box list_view{42, 94, 290, 334};
inline constexpr Box list_scroll{296, 94, 308, 334};
inline constexpr Box browser_frame{324, 64, 568, 344};
inline constexpr Box browser_view{334, 94, 542, 334};
inline constexpr Box browser_scroll{548, 94, 560, 334};
inline constexpr Box browser_back{500, 70, 560, 88};
inline constexpr int caption_baseline = 84;
inline constexpr int list_line_height = 16;
inline constexpr int browser_line_height = 16;

// Seek groove and knob; scroll knobs fill their grooves' width.
inline constexpr Box seek_slider{40, 352, 560, 364};
inline constexpr int seek_knob_width = 36;
inline constexpr int scroll_knob_height = 36;

// Transport row and the two mode buttons with their light bars below.
inline constexpr int button_top = 374;
inline constexpr int button_bottom = 422;
inline constexpr int transport_left = 36;
inline constexpr int transport_width = 48;
inline constexpr int transport_gap = 6;
inline constexpr Box repeat_button{424, button_top, 488, button_bottom};
inline constexpr Box random_button{496, button_top, 560, button_bottom};
inline constexpr Box repeat_lamp{440, 427, 472, 435};
inline constexpr Box random_lamp{512, 427, 544, 435};

// Status display: the player writes the track title at (51, 462); the module-loop lamp sits
// at its right end.
inline constexpr Box status_display{38, 446, 562, 486};
inline constexpr Box module_loop_lamp{540, 460, 552, 472};

struct Transport {
    std::string_view label;
    std::uint16_t command;
};

// Left to right.
inline constexpr std::array<Transport, 7> transport{{
    {"prev", 0x1004}, {"rewind", 0x1006}, {"play", 0x1001}, {"pause", 0x1007},
    {"stop", 0x1002}, {"forward", 0x1005}, {"next", 0x1003},
}};

inline constexpr Box transport_button(std::size_t index)
{
    const int left = transport_left + static_cast<int>(index) * (transport_width + transport_gap);
    return {left, button_top, left + transport_width, button_bottom};
}

} // namespace layout
