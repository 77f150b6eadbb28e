// SPDX-License-Identifier: GPL-3.0-or-later
// show_message_box: MessageBoxW (error icon, one OK button, no owner) that a stop request can
// take down. The box runs its own modal loop on a thread of its own, while the calling thread
// keeps dispatching its windows' messages (they stay drawn; their events wait in `events`)
// and asks `give_up` every 10 ms. Once it answers true the box is sent its OK command and
// the call returns without a click. Texts are UTF-16.
// Blocks the calling thread (the UI thread) until then.
#pragma once

#include "platform/win32/win32_event_source.h"

#include <functional>
#include <string>

void show_message_box(const std::wstring& caption, const std::wstring& text, const std::function<bool()>& give_up,
                      Win32EventSource& events);
