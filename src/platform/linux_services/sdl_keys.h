// SPDX-License-Identifier: GPL-3.0-or-later
// virtual_key_of: the Windows virtual-key code (the code skins store) of an SDL key:
// letters 0x41.., digits 0x30.., space 0x20, arrows 0x25..0x28, Return 0x0D, Escape 0x1B,
// F1 0x70.., keypad digits 0x60.., media keys 0xB0..0xB3 and the other common keys.
// 0 for a key without a code.
#pragma once

#include <SDL_keycode.h>

#include <cstdint>

std::uint16_t virtual_key_of(SDL_Keycode key);
