// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/text_browser.h"

#include <algorithm>

TextBrowser::TextBrowser(Rect rect, const FontEntry* font, std::int32_t line_height)
    : rect_(rect), titles_(ListViewMode::press_and_release, rect, font, line_height),
      visible_lines_(line_height > 0 ? rect.height() / line_height : 0)
{
}

void TextBrowser::add_item(std::string title, TextItem item)
{
    items_.push_front(std::move(item));
    titles_.add_title(std::move(title));
}

void TextBrowser::set_hover(int x, int y)
{
    if (!reading_)
        titles_.set_hover(x, y);
}

bool TextBrowser::press(bool down, int x, int y)
{
    if (!reading_ && titles_.activate(ListViewMode::press_and_release, down, x, y) && !down) {
        reading_ = true;
        item_index_ = titles_.selected();
        first_line_ = 0;
        return true;
    }
    return rect_.contains(x, y);
}

const TextItem* TextBrowser::current_item() const
{
    if (!reading_ || item_index_ < 0 || item_index_ >= static_cast<std::int32_t>(items_.size()))
        return nullptr;
    return &items_[static_cast<std::size_t>(item_index_)];
}

std::int32_t TextBrowser::hidden_lines() const
{
    const TextItem* item = current_item();
    return (item ? item->line_count() : 0) - visible_lines_;
}

void TextBrowser::scroll_up()
{
    if (!reading_)
        titles_.scroll_up();
    else if (first_line_ != 0)
        --first_line_;
}

void TextBrowser::scroll_down()
{
    if (!reading_)
        titles_.scroll_down();
    else if (first_line_ < hidden_lines())
        ++first_line_;
}

void TextBrowser::scroll_to_percent(float percent)
{
    if (!reading_) {
        titles_.scroll_to_percent(percent);
        return;
    }
    const std::int32_t hidden = hidden_lines();
    const auto line = static_cast<std::int32_t>(static_cast<float>(hidden) * (percent + 1.0f) * 0.01f);
    first_line_ = std::max(std::min(line, hidden), 0);
}

float TextBrowser::scroll_fraction() const
{
    if (!reading_)
        return titles_.scroll_fraction();
    const std::int32_t hidden = hidden_lines();
    return hidden > 0 ? static_cast<float>(first_line_) / static_cast<float>(hidden) : 0.0f;
}
