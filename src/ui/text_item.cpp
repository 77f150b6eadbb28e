// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/text_item.h"

#include <limits>

TextItem::TextItem(std::span<const std::uint8_t> text)
    : text_(reinterpret_cast<const char*>(text.data()), text.size())
{
    text_.push_back('\0');
    line_starts_.push_back(0);
    // Lines past the 16-bit count are cut off; they still end where they would.
    const auto add_line = [this](std::size_t start) {
        if (line_starts_.size() < std::numeric_limits<std::uint16_t>::max())
            line_starts_.push_back(static_cast<std::uint32_t>(start));
    };
    // c: column of the current character; break_at: offset just after the line's last space
    // or newline, 0 when it has none.
    std::int64_t c = 0;
    std::size_t break_at = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text_[i];
        bool breaks = false;
        if (ch == ' ') {
            break_at = i + 1;
        } else if (ch == '\n') {
            break_at = i + 1;
            breaks = true;
        } else {
            // Also past the width: a space in the last column must not end wrapping.
            breaks = c >= wrap_width;
        }
        if (breaks) {
            if (break_at != 0) {
                text_[break_at - 1] = '\0';
                add_line(break_at);
                c = static_cast<std::int64_t>(i) - static_cast<std::int64_t>(break_at);
            } else {
                text_[i] = '\0';
                add_line(i + 1);
                c = 0;
            }
            break_at = 0;
        }
        ++c;
    }
}

std::string_view TextItem::line(std::int32_t index) const
{
    return text_.c_str() + line_starts_[static_cast<std::size_t>(index)];
}
