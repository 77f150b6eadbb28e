// SPDX-License-Identifier: GPL-3.0-or-later
// show_message_box: SDL's error box that a stop request can take down. SDL shows the box from
// a child process and waits for it, deaf to signals; so the box runs on a thread of its own
// while the calling thread asks `give_up` every 10 ms. Once it answers true the box's process
// is killed, SDL's wait ends, and the call returns without a click. Texts are UTF-8.
// Blocks the calling thread (the UI thread) until then.
#pragma once

#include <functional>
#include <string>

void show_message_box(const std::string& caption, const std::string& text, const std::function<bool()>& give_up);
