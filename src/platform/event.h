// SPDX-License-Identifier: GPL-3.0-or-later
// Event: one input or system notification from the platform, delivered to the UI thread by
// an EventSource. Coordinates are client pixels of the main window, except for the wheel,
// whose position is on the screen. Keys are Windows virtual-key codes, the codes skins store.
#pragma once

#include "platform/media_remote.h"

#include <cstdint>

enum class EventKind : std::uint8_t {
    mouse_move,       // x, y, key_state
    button_down,      // button, x, y
    button_up,        // button, x, y
    double_click,     // second press of a double click (left button), x, y; follows its button_down
    wheel,            // x, y on the screen, wheel_delta
    key_down,         // key
    key_up,           // key
    focus_gained,
    timer_tick,       // the periodic timer fired
    close_request,    // the user or the system asked the window to close
    tray_click,       // button (left or right) on the notification icon
    tray_menu_choice, // menu_id of the chosen tray menu item
    window_moved,     // the window's position changed
    wake_up,          // EventSource::wake_up was called: a command waits or a stop was asked for
    media_request,    // media_request, media_value: the desktop's media remote asks for something
};

enum class MouseButton : std::uint8_t { left, right, middle };

// Bits of Event::key_state (the mouse-move key-state word).
inline constexpr std::uint16_t key_state_left = 0x0001;
inline constexpr std::uint16_t key_state_right = 0x0002;
inline constexpr std::uint16_t key_state_shift = 0x0004;
inline constexpr std::uint16_t key_state_control = 0x0008;
inline constexpr std::uint16_t key_state_middle = 0x0010;

// Wheel delta of one notch.
inline constexpr std::int16_t wheel_notch = 120;

struct Event {
    EventKind kind = EventKind::timer_tick;
    MouseButton button = MouseButton::left;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint16_t key_state = 0;
    std::int16_t wheel_delta = 0;
    std::uint16_t key = 0;
    std::uint16_t menu_id = 0;
    MediaRequest media_request = MediaRequest::play;
    std::int64_t media_value = 0;
};
