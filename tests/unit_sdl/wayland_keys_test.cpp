// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/wayland_keys.h"

#include <gtest/gtest.h>

TEST(WaylandKeys, KeysymsGetTheCodesTheSdlBackEndGives)
{
    const struct {
        xkb_keysym_t keysym;
        std::uint16_t code;
    } cases[] = {
        {XKB_KEY_a, 0x41}, {XKB_KEY_A, 0x41}, {XKB_KEY_z, 0x5A}, {XKB_KEY_0, 0x30}, {XKB_KEY_9, 0x39},
        {XKB_KEY_space, 0x20}, {XKB_KEY_Escape, 0x1B}, {XKB_KEY_Return, 0x0D}, {XKB_KEY_BackSpace, 0x08},
        {XKB_KEY_Tab, 0x09}, {XKB_KEY_Delete, 0x2E}, {XKB_KEY_Left, 0x25}, {XKB_KEY_Down, 0x28},
        {XKB_KEY_F1, 0x70}, {XKB_KEY_F12, 0x7B}, {XKB_KEY_F13, 0x7C}, {XKB_KEY_KP_0, 0x60}, {XKB_KEY_KP_9, 0x69},
        {XKB_KEY_KP_Enter, 0x0D}, {XKB_KEY_KP_Add, 0x6B}, {XKB_KEY_comma, 0xBC}, {XKB_KEY_bracketleft, 0xDB},
        {XKB_KEY_XF86AudioPlay, 0xB3}, {XKB_KEY_XF86AudioNext, 0xB0}, {XKB_KEY_Shift_R, 0x10},
        {XKB_KEY_eacute, 0}, {XKB_KEY_NoSymbol, 0}, {XKB_KEY_XF86Calculator, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(virtual_key_of_keysym(c.keysym), c.code) << std::hex << c.keysym;
}
