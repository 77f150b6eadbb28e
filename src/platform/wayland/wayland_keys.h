// SPDX-License-Identifier: GPL-3.0-or-later
// virtual_key_of_keysym: the virtual-key code of an xkbcommon keysym (the key's symbol without
// modifiers), through the SDL key table the other Linux back end uses: character keys by
// their character, the rest by the SDL key of the same name. 0 for a key without a code.
#pragma once

#include <xkbcommon/xkbcommon.h>

#include <cstdint>

std::uint16_t virtual_key_of_keysym(xkb_keysym_t keysym);
