// SPDX-License-Identifier: GPL-3.0-or-later
// open_quiet_x_display: a connection of the tray's own to the X server named by DISPLAY, or
// nullptr. X errors on it are dropped instead of reaching the process-wide error handler,
// which ends the program: they come from races with a tray that goes away (its windows, and
// so ours inside them, vanish at any moment). Close it with XCloseDisplay.
#pragma once

struct _XDisplay;

_XDisplay* open_quiet_x_display();
