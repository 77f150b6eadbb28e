// SPDX-License-Identifier: GPL-3.0-or-later
// Button: a rectangular hot spot of a page that posts its command on a click released
// inside, shows a pressed look, and a hover glow that rises and falls by `glow_step` percent
// per drawn frame, at most once per 11 ms of the clock. Value type owned by its page; UI
// thread only. Times are milliseconds of the player's Clock.
#pragma once

#include "base/command.h"
#include "base/rect.h"
#include "platform/clock.h"
#include "ui/key_press.h"

#include <cstdint>

class Button {
public:
    // `created_ms` is the clock's time at creation (the first glow step waits from there).
    Button(Rect rect, Command command, std::uint64_t created_ms)
        : rect_(rect), command_(command), last_glow_ms_(created_ms)
    {
    }

    const Rect& rect() const { return rect_; }
    const Command& command() const { return command_; }
    bool pressed() const { return pressed_; }
    bool hover() const { return hover_; }
    float glow_level() const { return glow_level_; }

    // pressed := down and ((x, y) inside or a key press, see key_press.h).
    void press(bool down, int x, int y) { pressed_ = down && (rect_.contains(x, y) || is_key_press(x)); }
    // hover := (x, y) inside.
    void set_hover(int x, int y) { hover_ = rect_.contains(x, y); }
    // One glow step of `glow_step` percent toward 100 (hover) or 0; skipped when the last
    // step is at most 10 ms ago.
    void advance_glow(const Clock& clock, std::uint16_t glow_step);
    // Whether a glow step of `glow_step` percent would still change the glow.
    bool glowing(std::uint16_t glow_step) const
    {
        return glow_step > 0 && (hover_ ? glow_level_ < 100.0f : glow_level_ > 0.0f);
    }
    // Clears hover and pressed (the window is being minimised).
    void clear_hover_and_pressed() { hover_ = pressed_ = false; }
    // Glow 0, hover and pressed cleared (focus gained, page left).
    void reset()
    {
        glow_level_ = 0.0f;
        clear_hover_and_pressed();
    }

private:
    Rect rect_;
    Command command_;
    float glow_level_ = 0.0f;
    std::uint64_t last_glow_ms_;
    bool pressed_ = false;
    bool hover_ = false;
};
