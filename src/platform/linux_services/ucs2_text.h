// SPDX-License-Identifier: GPL-3.0-or-later
// ucs2_of_utf8: UTF-8 text as 16-bit code units of the Basic Multilingual Plane, the form the
// X server's ISO 10646 core fonts draw. Characters outside that plane and bytes that are not
// UTF-8 become U+FFFD.
#pragma once

#include <string>
#include <string_view>

std::u16string ucs2_of_utf8(std::string_view utf8);
