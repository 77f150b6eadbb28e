// SPDX-License-Identifier: GPL-3.0-or-later
// KeyBinding: a keyboard shortcut of a page. Its key is compared with the low 16 bits of
// the window's virtual-key code (skins store Windows key codes). Key down shows the buttons
// carrying the same pair pressed; key up releases them and posts the pair once.
#pragma once

#include "base/command.h"

#include <cstdint>

struct KeyBinding {
    std::uint16_t key = 0;
    Command command;
};
