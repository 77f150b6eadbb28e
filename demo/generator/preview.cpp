// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview.h"

#include "layout.h"

namespace {

using layout::Box;

// The colour the player writes list lines and the status line in.
constexpr Colour line_colour = Colour::hex(0x6B4312);

void copy(Canvas& target, const Canvas& source, const Box& box, int to_x, int to_y)
{
    for (int y = 0; y < box.height(); ++y) {
        for (int x = 0; x < box.width(); ++x)
            target.blend(to_x + x, to_y + y, source.at(box.left + x, box.top + y), 1.0);
    }
}

void copy_in_place(Canvas& target, const Canvas& source, const Box& box)
{
    copy(target, source, box, box.left, box.top);
}

void lines(Canvas& canvas, const TextPainter& font, const Box& view, int line_height, const std::vector<std::string>& texts)
{
    for (std::size_t row = 0; row < texts.size() && static_cast<int>(row + 1) * line_height <= view.height(); ++row)
        font.draw(canvas, texts[row], view.left, view.top + static_cast<int>(row) * line_height + line_height - 4, line_colour);
}

} // namespace

Canvas preview_page(const PreviewInputs& in, const TextPainter& list_font, const TextPainter& status_font)
{
    using namespace layout;
    Canvas canvas = in.background;
    const auto strip = [&](const Canvas& source, const Box& view, int row) {
        copy_in_place(canvas, source, {view.left, view.top + row * list_line_height, view.right, view.top + (row + 1) * list_line_height});
    };
    strip(in.pressed, list_view, 0);
    strip(in.hover, list_view, 3);
    strip(in.hover, browser_view, 1);
    copy_in_place(canvas, in.hover, random_lamp);
    copy_in_place(canvas, in.hover, module_loop_lamp);
    copy_in_place(canvas, in.pressed, transport_button(2));
    lines(canvas, list_font, list_view, list_line_height, in.titles);
    lines(canvas, list_font, browser_view, browser_line_height, in.documents);
    const Box whole_seek{0, 0, in.seek_knob.width(), in.seek_knob.height()};
    copy(canvas, in.seek_knob, whole_seek, seek_slider.left + 160, seek_slider.top);
    const Box whole_scroll{0, 0, in.scroll_knob.width(), in.scroll_knob.height()};
    copy(canvas, in.scroll_knob, whole_scroll, list_scroll.left, list_scroll.top);
    copy(canvas, in.scroll_knob, whole_scroll, browser_scroll.left, browser_scroll.top);
    if (!in.titles.empty())
        status_font.draw(canvas, in.titles.front(), 51, 462 + 13, line_colour);
    return canvas;
}
