// SPDX-License-Identifier: GPL-3.0-or-later
// ListView: a scrolling list of titles with a hover line, a pressed line and a selected
// line. Lines are added at the front, so the title added last is line 0 (for the track list
// view, line indices are playlist indices). Its mode says how a line is activated. Line indices and `top` count lines; the
// rectangle and line height are client pixels. A line height of 0 or less shows no lines.
// Holds, but does not own, the font it is drawn with. UI thread only.
#pragma once

#include "base/rect.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

struct FontEntry;

// How a list view's line is activated: by a double click (0), or by a press and a release on
// the same line (1). The numbers are the configuration's.
enum class ListViewMode : std::int32_t { double_click = 0, press_and_release = 1 };

class ListView {
public:
    ListView(ListViewMode mode, Rect rect, const FontEntry* font, std::int32_t line_height)
        : mode_(mode), rect_(rect), line_height_(line_height), font_(font)
    {
    }

    // Puts `title` at the front and recomputes the visible lines and the largest top.
    void add_title(std::string title);
    // hover := the line index under (x, y) when inside (not limited to the line count), else -1.
    void set_hover(int x, int y);
    // Press (down) or release at (x, y) for a view of `expected_mode`; true when a line was
    // activated (its index is then `selected`).
    bool activate(ListViewMode expected_mode, bool down, int x, int y);
    // One line up or down, within 0..max top.
    void scroll_up();
    void scroll_down();
    // top := (percent + 2) % of max top, truncated, at most max top.
    void scroll_to_percent(float percent);
    // Scrolls the least distance that makes the selected line visible.
    void show_selected();
    void set_selected(std::int32_t line) { selected_ = line; }

    ListViewMode mode() const { return mode_; }
    const Rect& rect() const { return rect_; }
    std::int32_t line_height() const { return line_height_; }
    const FontEntry* font() const { return font_; }
    std::int32_t line_count() const { return static_cast<std::int32_t>(lines_.size()); }
    std::string_view line(std::int32_t index) const { return lines_[static_cast<std::size_t>(index)]; }
    std::int32_t visible_lines() const { return visible_lines_; }
    std::int32_t max_top() const { return max_top_; }
    std::int32_t top() const { return top_; }
    // How far the view is scrolled, 0 (first line on top) to 1 (last page shown).
    float scroll_fraction() const { return max_top_ > 0 ? static_cast<float>(top_) / static_cast<float>(max_top_) : 0.0f; }
    std::int32_t selected() const { return selected_; }
    std::int32_t pressed() const { return pressed_; }
    std::int32_t hover() const { return hover_; }

private:
    // The line offset under y inside the rectangle, counted from the first visible line.
    std::int32_t row_at(int y) const { return (y - rect_.top) / line_height_; }

    ListViewMode mode_;
    Rect rect_;
    std::int32_t line_height_;
    const FontEntry* font_;
    std::deque<std::string> lines_;
    std::int32_t visible_lines_ = 0;
    std::int32_t max_top_ = 0;
    std::int32_t top_ = 0;
    std::int32_t selected_ = 0;
    std::int32_t pressed_ = -1;
    std::int32_t hover_ = -1;
};
