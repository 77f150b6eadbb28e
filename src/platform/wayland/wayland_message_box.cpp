// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/wayland_message_box.h"

#include "platform/wayland/wayland_event_source.h"
#include "platform/wayland/wayland_window.h"

#include "platform/fonts.h"

#include <algorithm>
#include <chrono>
#include <string_view>
#include <vector>

namespace {

constexpr int box_width = 440;
constexpr int margin = 16;
constexpr int line_height = 20;
constexpr int text_height = 15;
// Characters of a line before it is broken (the font is not measured).
constexpr std::size_t line_length = 58;
constexpr Rect button_size{0, 0, 80, 28};
constexpr std::uint32_t face_colour = 0xF2F2F2;
constexpr std::uint32_t edge_colour = 0x8C8C8C;
constexpr std::uint32_t button_colour = 0xDEDEDE;

std::vector<std::string> text_lines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty() || lines.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        do {
            std::size_t cut = line.size();
            if (cut > line_length) {
                const auto space = line.rfind(' ', line_length);
                cut = space == std::string_view::npos || space == 0 ? line_length : space;
            }
            lines.emplace_back(line.substr(0, cut));
            line = line.substr(std::min(line.size(), cut + (cut < line.size() && line[cut] == ' ' ? 1 : 0)));
        } while (!line.empty());
    }
    return lines;
}

void fill(BackBuffer& picture, const Rect& area, std::uint32_t colour)
{
    for (int y = std::max(area.top, 0); y < std::min(area.bottom, picture.height()); ++y)
        for (int x = std::max(area.left, 0); x < std::min(area.right, picture.width()); ++x)
            picture.pixels()[static_cast<std::size_t>(y) * picture.width() + x] = colour;
}

void framed(BackBuffer& picture, const Rect& area, std::uint32_t face)
{
    fill(picture, area, edge_colour);
    fill(picture, Rect{area.left + 1, area.top + 1, area.right - 1, area.bottom - 1}, face);
}

} // namespace

void show_wayland_message_box(WaylandConnection& connection, WaylandEventSource& events, WaylandInput& input,
                              FontSystem& fonts, const std::string& caption, const std::string& text,
                              const std::function<bool()>& give_up)
{
    const std::vector<std::string> lines = text_lines(text);
    const int height = margin * 3 + static_cast<int>(lines.size()) * line_height + button_size.height();
    const Rect button{box_width - margin - button_size.width(), height - margin - button_size.height(),
                      box_width - margin, height - margin};

    BackBuffer picture(box_width, height);
    framed(picture, Rect{0, 0, box_width, height}, face_colour);
    framed(picture, button, button_colour);
    const auto font = fonts.create_font("", -text_height, 400);
    for (std::size_t i = 0; i < lines.size(); ++i)
        font->draw_text(picture, margin, margin + static_cast<int>(i) * line_height, lines[i], 0);
    font->draw_text(picture, button.left + 29, button.top + 6, "OK", 0);

    WaylandWindow window(WindowSpec{.title = caption, .width = box_width, .height = height}, connection, events, input);
    window.present(picture);
    window.show();
    events.start_timer(std::chrono::milliseconds(10));
    bool pressed_on_button = false;
    while (!give_up()) {
        const auto event = events.wait_event();
        if (!event || event->kind == EventKind::close_request)
            break;
        const bool on_button = button.contains(event->x, event->y) && event->x < button.right && event->y < button.bottom;
        if (event->kind == EventKind::button_down && event->button == MouseButton::left)
            pressed_on_button = on_button;
        if (event->kind == EventKind::button_up && event->button == MouseButton::left && pressed_on_button && on_button)
            break;
        if (event->kind == EventKind::key_down && (event->key == 0x0D || event->key == 0x1B || event->key == 0x20))
            break;
    }
    events.stop_timer();
}
