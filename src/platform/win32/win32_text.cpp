// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_text.h"

#include "base/desktop_text.h"

#include <windows.h>

#include <climits>

std::wstring wide_from_utf8(std::string_view utf8)
{
    if (utf8.empty() || utf8.size() > static_cast<std::size_t>(INT_MAX))
        return {};
    const int length = static_cast<int>(utf8.size());
    const int wide_length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (wide_length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), wide_length);
    return wide;
}

std::wstring desktop_wide(std::string_view skin_text)
{
    return wide_from_utf8(to_desktop_text(skin_text));
}
