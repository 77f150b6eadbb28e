// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list_view.h"

#include <algorithm>

void ListView::add_title(std::string title)
{
    lines_.push_front(std::move(title));
    const std::int32_t fitting = line_height_ > 0 ? rect_.height() / line_height_ : 0;
    visible_lines_ = std::min(fitting, line_count());
    max_top_ = std::max(line_count() - visible_lines_, 0);
}

void ListView::set_hover(int x, int y)
{
    hover_ = line_height_ > 0 && rect_.contains(x, y) ? row_at(y) + top_ : -1;
}

bool ListView::activate(ListViewMode expected_mode, bool down, int x, int y)
{
    if (expected_mode != mode_)
        return false;
    if (!rect_.contains(x, y) || line_height_ <= 0) {
        pressed_ = -1;
        return false;
    }
    const std::int32_t row = row_at(y);
    const bool on_a_line = row <= visible_lines_ - 1;
    if (mode_ == ListViewMode::double_click) {
        if (!on_a_line)
            return false;
        selected_ = top_ + row;
        return true;
    }
    if (down) {
        if (!on_a_line)
            return false;
        pressed_ = top_ + row;
        return true;
    }
    const std::int32_t pressed_line = pressed_;
    pressed_ = -1;
    if (!on_a_line || top_ + row != pressed_line)
        return false;
    selected_ = pressed_line;
    return true;
}

void ListView::scroll_up()
{
    top_ = std::max(top_ - 1, 0);
}

void ListView::scroll_down()
{
    top_ = top_ < max_top_ ? top_ + 1 : max_top_;
}

void ListView::scroll_to_percent(float percent)
{
    const float top = (percent + 2.0f) * static_cast<float>(max_top_) * 0.01f;
    top_ = top > static_cast<float>(max_top_) ? max_top_ : static_cast<std::int32_t>(top);
}

void ListView::show_selected()
{
    if (selected_ - top_ >= visible_lines_)
        top_ = selected_ - visible_lines_ + 1;
    if (selected_ - top_ < 0)
        top_ = selected_;
}
