#include "platform/desktop_text.h"

#include <iconv.h>

#include <array>
#include <cstdint>

namespace {

bool is_valid_utf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1Fu;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0Fu;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07u;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = code << 6 | (next & 0x3Fu);
        }
        constexpr std::array<std::uint32_t, 5> smallest{0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

// Windows-1250 to UTF-8; bytes the code page leaves undefined become U+FFFD.
std::string from_windows_1250(std::string_view text)
{
    iconv_t converter = iconv_open("UTF-8", "WINDOWS-1250");
    std::string out;
    if (converter == reinterpret_cast<iconv_t>(-1))
        return out;
    for (const char byte : text) {
        char in_byte = byte;
        char* in = &in_byte;
        std::size_t in_left = 1;
        std::array<char, 8> buffer{};
        char* cursor = buffer.data();
        std::size_t out_left = buffer.size();
        if (iconv(converter, &in, &in_left, &cursor, &out_left) == static_cast<std::size_t>(-1))
            out += "\xEF\xBF\xBD";
        else
            out.append(buffer.data(), cursor);
    }
    iconv_close(converter);
    return out;
}

} // namespace

std::string to_desktop_text(std::string_view skin_text)
{
    if (is_valid_utf8(skin_text))
        return std::string(skin_text);
    return from_windows_1250(skin_text);
}
