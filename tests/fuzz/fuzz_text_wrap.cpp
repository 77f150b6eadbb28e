// SPDX-License-Identifier: GPL-3.0-or-later
// The text browser's word wrapping over arbitrary documents: every line must hold no newline
// and be at most the wrap width long but for spaces at its end (a space never breaks a line,
// so spaces past the last column stay on it), and the lines together must not hold more
// bytes than the document; nothing reads outside.
#include "ui/text_item.h"

#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TextItem item(std::span<const std::uint8_t>(data, size));
    std::size_t total = 0;
    for (std::int32_t i = 0; i < item.line_count(); ++i) {
        const std::string_view line = item.line(i);
        const std::size_t shown = line.find_last_not_of(' ') + 1; // 0 for a line of spaces
        if (shown > static_cast<std::size_t>(TextItem::wrap_width) || line.find('\n') != line.npos)
            __builtin_trap();
        total += line.size();
    }
    if (total > size)
        __builtin_trap();
    return 0;
}
