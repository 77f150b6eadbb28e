// SPDX-License-Identifier: GPL-3.0-or-later
// PageHandlers: what the shell calls on a page: its input handlers, its life operations and
// its reaction to executed commands. Coordinates are client pixels (the wheel's are relative
// to the window's top-left corner); keys are Windows virtual-key codes; times are Clock
// milliseconds. Pages never execute actions here: they post commands. UI thread only.
#pragma once

#include <cstdint>

class PageHandlers {
public:
    virtual ~PageHandlers() = default;

    virtual void on_focus() = 0;
    virtual void on_key_down(std::uint16_t key) = 0;
    virtual void on_key_up(std::uint16_t key) = 0;
    virtual void on_timer(std::uint64_t now_ms) = 0;
    virtual void on_mouse_move(std::int32_t x, std::int32_t y, std::uint16_t key_state) = 0;
    // True when an element of the page took the press (the window is then not moved).
    virtual bool on_left_down(std::int32_t x, std::int32_t y) = 0;
    virtual void on_left_up(std::int32_t x, std::int32_t y) = 0;
    virtual void on_double_click(std::int32_t x, std::int32_t y) = 0;
    virtual void on_right_down() = 0;
    virtual void on_wheel(std::int32_t x, std::int32_t y, std::int16_t delta) = 0;

    // The page became the target of a page switch: posts its enter commands.
    virtual void on_enter() = 0;
    // The page is being left by a page switch: posts its leave commands.
    virtual void on_leave() = 0;
    // The command processor executed (id, argument); also called for ids it does not know.
    virtual void on_command(std::uint16_t id, std::uint16_t argument) = 0;
    // The page became current: its timers start counting from now.
    virtual void restart_timers() = 0;
};
