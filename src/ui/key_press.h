// SPDX-License-Identifier: GPL-3.0-or-later
// The point a key binding presses at: not a place in the window, so a button bound to the key
// is pressed wherever it is, and a slider ends its drag. Compile-time constants only.
#pragma once

inline constexpr int key_press_x = -1;
inline constexpr int key_press_y = -1;

// Whether a press at `x` comes from a key rather than from the pointer.
constexpr bool is_key_press(int x)
{
    return x == key_press_x;
}
