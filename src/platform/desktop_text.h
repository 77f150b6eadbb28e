// to_desktop_text: a skin byte string as UTF-8 for the desktop (window title, message box,
// tray tip and menu). Text that already is valid UTF-8 is kept as it is (skins made with
// today's tools); anything else is read as Windows-1250, the code page of the player's own
// "Przywróć" label.
#pragma once

#include <string>
#include <string_view>

std::string to_desktop_text(std::string_view skin_text);
