// SPDX-License-Identifier: GPL-3.0-or-later
// Skin text for the desktop. Skin strings are bytes; where they meet the desktop (window
// title, message box, tray tip and menu, messages) they become UTF-8:
//   to_desktop_text       text that already is valid UTF-8 is kept as it is (skins made with
//                         today's tools); anything else is read as Windows-1250, the code page
//                         of the player's own "Przywróć" label.
//   windows_1250_to_utf8  the code page alone; bytes it leaves undefined become U+FFFD.
//   to_message_line       an error message as one line of desktop text: the text as
//                         to_desktop_text gives it, with every control character's bytes (C0,
//                         DEL and C1, line feeds included) written as \xNN, so a name read from
//                         a damaged file can neither break the line nor reach the terminal raw.
// Plain functions, no system conversion library, so every back end can use them.
#pragma once

#include <string>
#include <string_view>

std::string to_desktop_text(std::string_view skin_text);
std::string windows_1250_to_utf8(std::string_view text);
std::string to_message_line(std::string_view text);
