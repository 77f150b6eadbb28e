// SPDX-License-Identifier: GPL-3.0-or-later
// choose_window_scale: the factor at which the main window shows the skin on a high-density
// screen: 2 when VORLUNDE_SCALE is "2", or, when VORLUNDE_SCALE is not "1" or "2", when
// GDK_SCALE asks for 2 or more or the X resources give Xft.dpi of 192 or more; else 1.
// Arguments are the two variables' values and the X resource string (empty when unset).
#pragma once

#include <string_view>

int choose_window_scale(std::string_view vorlunde_scale, std::string_view gdk_scale, std::string_view x_resources);
