// SPDX-License-Identifier: GPL-3.0-or-later
// Text for the Win32 API, which takes UTF-16:
//   wide_from_utf8   UTF-8 to UTF-16 (MultiByteToWideChar); invalid bytes become U+FFFD
//   desktop_wide     a skin byte string (UTF-8 when valid, else Windows-1250) as UTF-16
// Plain functions, any thread.
#pragma once

#include <string>
#include <string_view>

std::wstring wide_from_utf8(std::string_view utf8);
std::wstring desktop_wide(std::string_view skin_text);
