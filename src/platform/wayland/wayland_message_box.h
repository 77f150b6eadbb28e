// SPDX-License-Identifier: GPL-3.0-or-later
// show_wayland_message_box: the error box of the Wayland back end, a small window of its own
// (WaylandWindow) that needs no helper program: the caption as its title, the text in the
// system's font, one line per line of text (long lines broken at spaces), and an OK button.
// It returns when OK is clicked, Return, Escape or Space is pressed, the compositor closes
// it, or `give_up` (asked every 10 ms) answers true. Texts are UTF-8. Blocks the UI thread;
// events meant for anything else while it is up are dropped.
#pragma once

#include <functional>
#include <string>

class FontSystem;
class WaylandConnection;
class WaylandEventSource;
class WaylandInput;

void show_wayland_message_box(WaylandConnection& connection, WaylandEventSource& events, WaylandInput& input,
                              FontSystem& fonts, const std::string& caption, const std::string& text,
                              const std::function<bool()>& give_up);
