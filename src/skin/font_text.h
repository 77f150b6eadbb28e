// display_text: turns a skin's 8-bit text into UTF-8 for drawing. Text that is valid UTF-8
// is taken as it is; anything else is read as Windows-1250, the code page of the player's
// own labels. Bytes that code page leaves undefined become U+FFFD. Thread-safe.
#pragma once

#include <string>
#include <string_view>

std::string display_text(std::string_view skin_text);
