// SPDX-License-Identifier: GPL-3.0-or-later
// ShellState: the program-wide values that the shell's parts share (window title and size,
// durations, current and next page, the page-switch request, the presentation's fade state,
// the last mouse position and the plug-in event field). One instance, owned by the Player;
// UI thread only.
#pragma once

#include <cstdint>
#include <string>

// The presentation's whole-window fades (see presentation.h), in the order they follow.
enum class PresentationState : std::uint8_t {
    none,             // no presentation fade running
    intro_fading_in,  // alpha up to 254
    intro_fading_out, // then the next page is current
    panel_fading_in,  // at its end the window gets the panel region and stops being layered
    panel_fading_out, // before the outro
    outro_fading_in,
    closing,          // fading out before quitting
};

struct ShellState {
    std::string window_title = "vorlunde.v.0.2.window";
    std::uint16_t window_width = 640;
    std::uint16_t window_height = 480;
    std::uint16_t page_switch_ms = 1500; // cross-fade duration
    std::uint16_t fade_ms = 1500;        // music fade duration of the fade commands
    std::uint16_t glow_step = 5;         // percent a button's hover glow moves per frame
    std::string tray_tip = "vorlunde";

    std::string current_page;
    std::string next_page;
    bool page_switch = false;               // a switch to next_page is running; holds the queue
    std::uint64_t page_switch_start_ms = 0; // Clock time the switch was requested

    PresentationState presentation_state = PresentationState::intro_fading_in;
    std::uint64_t presentation_start_ms = 0; // Clock time the running fade started
    std::uint8_t window_alpha = 0;           // whole-window opacity the fades compute
    bool alpha_in_use = true;                // the window alpha and colour key are applied
    bool repaint = false;                    // the outro has begun: repaint once
    std::string window_region;               // the region shaping the window, or empty for none

    std::int32_t last_mouse_x = 0; // client coordinates of the last mouse move
    std::int32_t last_mouse_y = 0;

    std::uint16_t plugin_event = 0; // set by CommandId::set_plugin_event, cleared at each drain
};
