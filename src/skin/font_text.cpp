#include "skin/font_text.h"

#include <cerrno>
#include <iconv.h>

namespace {

// Converts `in` from the `from` encoding to UTF-8 into `out`. A byte that cannot be converted
// fails the call when `strict`, else becomes U+FFFD.
bool convert(const char* from, std::string_view in, std::string& out, bool strict)
{
    iconv_t cd = iconv_open("UTF-8", from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    out.clear();
    char* src = const_cast<char*>(in.data());
    std::size_t src_left = in.size();
    char buffer[256];
    bool ok = true;
    while (src_left > 0) {
        char* dst = buffer;
        std::size_t dst_left = sizeof buffer;
        const std::size_t result = iconv(cd, &src, &src_left, &dst, &dst_left);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG)
            continue;
        if (strict) {
            ok = false;
            break;
        }
        out += "\xEF\xBF\xBD"; // an undefined byte: U+FFFD
        ++src;
        --src_left;
    }
    iconv_close(cd);
    return ok;
}

} // namespace

std::string display_text(std::string_view skin_text)
{
    std::string out;
    if (convert("UTF-8", skin_text, out, true))
        return out;
    convert("WINDOWS-1250", skin_text, out, false);
    return out;
}
