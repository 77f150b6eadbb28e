// SPDX-License-Identifier: GPL-3.0-or-later
// TextBrowser: a page's reader of text documents. It shows a list of document titles (a
// press-and-release ListView over the same rectangle) until a title is clicked, then the document's
// wrapped lines from `first_line` on, until `back`. Items are added at the front, so item i
// belongs to line i of the title list. Owns its items; holds, but does not own, its font.
// UI thread only.
#pragma once

#include "base/rect.h"
#include "ui/list_view.h"
#include "ui/text_item.h"

#include <cstdint>
#include <deque>
#include <string>

class TextBrowser {
public:
    TextBrowser(Rect rect, const FontEntry* font, std::int32_t line_height);

    // Puts (title, item) at the front and lists the title.
    void add_item(std::string title, TextItem item);
    // Titles: the title list's hover; reading: nothing.
    void set_hover(int x, int y);
    // Press (down) or release at (x, y). A completed click on a title opens it. Returns true
    // whenever the point is inside the rectangle.
    bool press(bool down, int x, int y);
    // Reading: one text line up or down, within the document; titles: the title list scrolls.
    void scroll_up();
    void scroll_down();
    // Leaves reading mode.
    void back() { reading_ = false; }
    // Titles: the list scrolls to `percent`; reading: first line := (percent + 1) % of the
    // lines that do not fit, truncated and clamped.
    void scroll_to_percent(float percent);

    const Rect& rect() const { return rect_; }
    const FontEntry* font() const { return titles_.font(); }
    std::int32_t line_height() const { return titles_.line_height(); }
    const ListView& titles() const { return titles_; }
    bool reading() const { return reading_; }
    std::int32_t visible_lines() const { return visible_lines_; }
    std::int32_t first_line() const { return first_line_; }
    // How far the titles, or the document being read, are scrolled: 0 to 1.
    float scroll_fraction() const;
    // The document being read, or nullptr.
    const TextItem* current_item() const;
    // The index of the document opened last (meaningful while reading).
    std::int32_t item_index() const { return item_index_; }

private:
    // Lines of the current document that do not fit the view (may be negative).
    std::int32_t hidden_lines() const;

    Rect rect_;
    ListView titles_;
    std::deque<TextItem> items_;
    std::int32_t visible_lines_;
    std::int32_t first_line_ = 0;
    std::int32_t item_index_ = 0;
    bool reading_ = false;
};
