// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/wayland_keys.h"

#include "platform/linux_services/sdl_keys.h"

#include <array>
#include <utility>

namespace {

// Keys that have no character, by name.
constexpr std::array<std::pair<xkb_keysym_t, SDL_Keycode>, 36> named_keys{{
    {XKB_KEY_Left, SDLK_LEFT}, {XKB_KEY_Up, SDLK_UP}, {XKB_KEY_Right, SDLK_RIGHT}, {XKB_KEY_Down, SDLK_DOWN},
    {XKB_KEY_Page_Up, SDLK_PAGEUP}, {XKB_KEY_Page_Down, SDLK_PAGEDOWN}, {XKB_KEY_Home, SDLK_HOME},
    {XKB_KEY_End, SDLK_END}, {XKB_KEY_Insert, SDLK_INSERT}, {XKB_KEY_Pause, SDLK_PAUSE},
    {XKB_KEY_Caps_Lock, SDLK_CAPSLOCK}, {XKB_KEY_Num_Lock, SDLK_NUMLOCKCLEAR},
    {XKB_KEY_Scroll_Lock, SDLK_SCROLLLOCK}, {XKB_KEY_Print, SDLK_PRINTSCREEN},
    {XKB_KEY_Shift_L, SDLK_LSHIFT}, {XKB_KEY_Shift_R, SDLK_RSHIFT}, {XKB_KEY_Control_L, SDLK_LCTRL},
    {XKB_KEY_Control_R, SDLK_RCTRL}, {XKB_KEY_Alt_L, SDLK_LALT}, {XKB_KEY_Alt_R, SDLK_RALT},
    {XKB_KEY_Super_L, SDLK_LGUI}, {XKB_KEY_Super_R, SDLK_RGUI}, {XKB_KEY_KP_Enter, SDLK_KP_ENTER},
    {XKB_KEY_KP_Multiply, SDLK_KP_MULTIPLY}, {XKB_KEY_KP_Add, SDLK_KP_PLUS},
    {XKB_KEY_KP_Subtract, SDLK_KP_MINUS}, {XKB_KEY_KP_Decimal, SDLK_KP_PERIOD},
    {XKB_KEY_KP_Divide, SDLK_KP_DIVIDE}, {XKB_KEY_XF86AudioMute, SDLK_AUDIOMUTE},
    {XKB_KEY_XF86AudioLowerVolume, SDLK_VOLUMEDOWN}, {XKB_KEY_XF86AudioRaiseVolume, SDLK_VOLUMEUP},
    {XKB_KEY_XF86AudioNext, SDLK_AUDIONEXT}, {XKB_KEY_XF86AudioPrev, SDLK_AUDIOPREV},
    {XKB_KEY_XF86AudioStop, SDLK_AUDIOSTOP}, {XKB_KEY_XF86AudioPlay, SDLK_AUDIOPLAY},
    {XKB_KEY_KP_0, SDLK_KP_0},
}};

SDL_Keycode sdl_key_of(xkb_keysym_t keysym)
{
    if (keysym >= XKB_KEY_F1 && keysym <= XKB_KEY_F12)
        return static_cast<SDL_Keycode>(SDLK_F1 + (keysym - XKB_KEY_F1));
    if (keysym >= XKB_KEY_F13 && keysym <= XKB_KEY_F24)
        return static_cast<SDL_Keycode>(SDLK_F13 + (keysym - XKB_KEY_F13));
    if (keysym >= XKB_KEY_KP_1 && keysym <= XKB_KEY_KP_9)
        return static_cast<SDL_Keycode>(SDLK_KP_1 + (keysym - XKB_KEY_KP_1));
    for (const auto& [name, key] : named_keys) {
        if (name == keysym)
            return key;
    }
    // SDL's key codes of character keys are their (lower-case) characters, Escape, Return,
    // Tab, BackSpace and Delete included.
    const std::uint32_t character = xkb_keysym_to_utf32(xkb_keysym_to_lower(keysym));
    return character < 0x80 ? static_cast<SDL_Keycode>(character) : SDLK_UNKNOWN;
}

} // namespace

std::uint16_t virtual_key_of_keysym(xkb_keysym_t keysym)
{
    return virtual_key_of(sdl_key_of(keysym));
}
