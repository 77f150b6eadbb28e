// SPDX-License-Identifier: GPL-3.0-or-later
#include "look.h"

namespace {

constexpr Colour c(std::uint32_t rgb)
{
    return Colour::hex(rgb);
}

} // namespace

const std::array<Look, 3>& panel_looks()
{
    static const std::array<Look, 3> looks{{
        {"dzien", "day", Emblem::sun,
         c(0xEDE0C4), c(0xCDB387), c(0x5E4424),
         c(0x8A6A40), c(0xF7ECD6),
         c(0xFCF6E6), c(0xF2E6CA), c(0xF8E4B4), c(0xF1CD80),
         c(0xC9B085), c(0xA8723A), c(0x7A4E22),
         c(0xF8F0DE), c(0xD8C196), c(0x8C6A3E), c(0x6B4312),
         c(0x5A3E1E), c(0xFF9E24)},
        {"wieczor", "evening", Emblem::sunset,
         c(0xD49A78), c(0x7E4D70), c(0x321C33),
         c(0x5C3350), c(0xFBE3D0),
         c(0xFDEEDF), c(0xF5DCC6), c(0xF9DDB9), c(0xF2BE8E),
         c(0xC99A8E), c(0xC0603E), c(0x823553),
         c(0xF4D2BC), c(0xB98080), c(0x5C3350), c(0x4A2436),
         c(0xFCEEE2), c(0xFFB347)},
        {"noc", "night", Emblem::moon,
         c(0x2C3A66), c(0x111830), c(0x04060E),
         c(0x1B2545), c(0xAFC0EA),
         c(0xE8EDF7), c(0xD2DBEE), c(0xC8D7F4), c(0xA6BEEC),
         c(0x9DAACB), c(0x4C7BD0), c(0x2B4A8E),
         c(0x4A5C92), c(0x232D52), c(0x0B1024), c(0xDCE6FF),
         c(0xC6D2F2), c(0x7FD4FF)},
    }};
    return looks;
}
