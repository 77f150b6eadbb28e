// SPDX-License-Identifier: GPL-3.0-or-later
// TextItem: a text document of the skin cut into lines of at most 28 characters for the
// text browser. A line breaks at its last space when it has one (the space is dropped);
// every newline ends a line (dropped too); a word longer than a line is cut, losing the
// character at the cut. Carriage returns stay in the lines. At most 65,535 lines are kept;
// the rest of a longer text is cut off. Owns a copy of the text. Immutable once built.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TextItem {
public:
    static constexpr int wrap_width = 28;

    explicit TextItem(std::span<const std::uint8_t> text);

    std::int32_t line_count() const { return static_cast<std::int32_t>(line_starts_.size()); }
    // Line `index` (0 <= index < line_count()), up to its terminating zero byte.
    std::string_view line(std::int32_t index) const;

private:
    std::string text_; // the document with a zero byte after every line
    std::vector<std::uint32_t> line_starts_;
};
