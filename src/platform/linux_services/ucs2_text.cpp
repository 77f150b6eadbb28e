// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/ucs2_text.h"

#include <cstdint>

std::u16string ucs2_of_utf8(std::string_view utf8)
{
    constexpr char16_t replacement = 0xFFFD;
    std::u16string units;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        // Sequence length by the lead byte; 0 for a continuation byte without its lead.
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xC0 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        std::uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
        bool valid = length != 0 && i + length <= utf8.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(utf8[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = code << 6 | (next & 0x3Fu);
        }
        if (!valid) {
            units += replacement;
            ++i;
            continue;
        }
        units += length == 4 || code > 0xFFFF ? replacement : static_cast<char16_t>(code);
        i += length;
    }
    return units;
}
