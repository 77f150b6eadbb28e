// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/page.h"

#include "archive/data_archive.h"
#include "audio/page_playback.h"
#include "ui/key_press.h"

#include <algorithm>

Page::Page(PageServices services, std::string_view background, std::string_view pressed, std::string_view hover,
           bool fades)
    : services_(std::move(services)), fades_(fades),
      pictures_(services_.load_image, background, pressed, hover)
{
}

void Page::keep_drawn_parts()
{
    std::vector<Rect> pressed_areas;
    std::vector<Rect> hover_areas;
    for (const Button& button : buttons_) {
        pressed_areas.push_back(button.rect());
        hover_areas.push_back(button.rect());
    }
    for (const Lamp& lamp : lamps_)
        hover_areas.push_back(lamp.rect);
    // Hover and selected lines: strips of the views' rows, which stay inside the view
    // (the playlist's titles may still come after the page).
    const auto add_lines = [&](const ListView& view) {
        pressed_areas.push_back(view.rect());
        hover_areas.push_back(view.rect());
    };
    if (list_view_)
        add_lines(*list_view_);
    if (text_browser_)
        add_lines(text_browser_->titles());
    pictures_.keep_only(std::move(pressed_areas), std::move(hover_areas));
}

void Page::add_button(Rect rect, Command command)
{
    buttons_.emplace_front(rect, command, services_.clock.now_ms());
}

void Page::add_key_binding(std::uint16_t key, Command command)
{
    key_bindings_.push_front(KeyBinding{key, command});
}

void Page::add_lamp(Rect rect, std::string name)
{
    lamps_.push_front(Lamp{rect, std::move(name)});
}

void Page::set_list_view(ListViewMode mode, Rect rect, const FontEntry* font, std::int32_t line_height)
{
    list_view_.emplace(mode, rect, font, line_height);
}

void Page::set_text_browser(Rect rect, const FontEntry* font, std::int32_t line_height)
{
    text_browser_.emplace(rect, font, line_height);
}

void Page::add_text_item(std::string_view file_name, std::string title)
{
    if (!text_browser_)
        return;
    text_browser_->add_item(std::move(title), TextItem(services_.archive.find_file(file_name).bytes));
}

void Page::add_slider(Slider::Orientation orientation, Slider::Type type, std::uint16_t identifier, Rect rect,
                      std::string_view knob_image)
{
    sliders_.emplace_front(orientation, type, rect, identifier, services_.load_image(knob_image));
}

void Page::add_timer(std::uint64_t interval_ms, Command command)
{
    timers_.emplace_front(interval_ms, command);
}

void Page::add_plugin(PluginLayer layer, PluginSlot& plugin)
{
    (layer == PluginLayer::lower ? lower_plugins_ : upper_plugins_).push_front(&plugin);
}

void Page::add_wheel_area(Rect rect, Command up, Command down)
{
    wheel_areas_.emplace_front(rect, up, down);
}

void Page::add_title(std::string title)
{
    if (list_view_)
        list_view_->add_title(std::move(title));
}

void Page::on_focus()
{
    for (Button& button : buttons_)
        button.reset();
}

void Page::press_bound_buttons(const Command& command, bool down)
{
    for (Button& button : buttons_) {
        if (button.command() == command)
            button.press(down, key_press_x, key_press_y);
    }
}

void Page::on_key_down(std::uint16_t key)
{
    for (const KeyBinding& binding : key_bindings_) {
        if (binding.key == static_cast<std::uint16_t>(key))
            press_bound_buttons(binding.command, true);
    }
}

void Page::on_key_up(std::uint16_t key)
{
    for (const KeyBinding& binding : key_bindings_) {
        if (binding.key != static_cast<std::uint16_t>(key))
            continue;
        press_bound_buttons(binding.command, false);
        services_.commands.post_command(binding.command);
    }
}

void Page::on_timer(std::uint64_t now_ms)
{
    for (PageTimer& timer : timers_)
        timer.tick(now_ms, services_.commands);
}

void Page::on_mouse_move(std::int32_t x, std::int32_t y, std::uint16_t key_state)
{
    if (key_state == 0) {
        for (Button& button : buttons_)
            button.set_hover(x, y);
    }
    for (Slider& slider : sliders_) {
        if (slider.move(x, y))
            services_.commands.post_command(CommandId::slider_changed, slider.identifier());
    }
    if (text_browser_)
        text_browser_->set_hover(x, y);
    if (list_view_)
        list_view_->set_hover(x, y);
}

bool Page::on_left_down(int x, int y)
{
    bool taken = false;
    for (Button& button : buttons_) {
        button.press(true, x, y);
        taken |= button.pressed();
    }
    for (Slider& slider : sliders_)
        taken |= slider.press(true, x, y);
    if (text_browser_)
        taken |= text_browser_->press(true, x, y);
    if (list_view_)
        taken |= list_view_->activate(ListViewMode::press_and_release, true, x, y);
    if (!taken)
        click_commands_.post_all(services_.commands);
    return taken;
}

void Page::on_left_up(int x, int y)
{
    for (Button& button : buttons_) {
        if (button.pressed() && button.rect().contains(x, y))
            services_.commands.post_command(button.command());
        button.press(false, x, y);
    }
    for (Slider& slider : sliders_) {
        if (slider.press(false, key_press_x, key_press_y))
            services_.commands.post_command(CommandId::slider_changed, slider.identifier());
    }
    if (text_browser_)
        text_browser_->press(false, x, y);
    if (list_view_ && list_view_->activate(ListViewMode::press_and_release, false, x, y))
        services_.commands.post_command(CommandId::list_line_activated, 0);
}

void Page::on_double_click(int x, int y)
{
    if (list_view_ && list_view_->activate(ListViewMode::double_click, true, x, y))
        services_.commands.post_command(CommandId::list_line_activated, 0);
}

void Page::on_right_down()
{
    right_click_commands_.post_all(services_.commands);
}

void Page::on_wheel(std::int32_t x, std::int32_t y, std::int16_t delta)
{
    for (WheelArea& area : wheel_areas_)
        area.wheel(x, y, delta, services_.commands);
}

void Page::on_leave()
{
    leave_commands_.post_all(services_.commands);
    for (Button& button : buttons_)
        button.reset();
}

void Page::on_enter()
{
    enter_commands_.post_all(services_.commands);
    if (links_.playback)
        set_lamps("musiclooped", links_.playback->repeat());
}

void Page::restart_timers()
{
    const std::uint64_t now = services_.clock.now_ms();
    for (PageTimer& timer : timers_)
        timer.restart(now);
}

std::optional<std::uint64_t> Page::next_timer_due() const
{
    std::optional<std::uint64_t> due;
    for (const PageTimer& timer : timers_) {
        if (const auto timer_due = timer.due_ms(); timer_due && (!due || *timer_due < *due))
            due = timer_due;
    }
    return due;
}

bool Page::glowing(std::uint16_t glow_step) const
{
    return std::any_of(buttons_.begin(), buttons_.end(), [glow_step](const Button& button) { return button.glowing(glow_step); });
}

std::optional<std::chrono::milliseconds> Page::next_knob_step(std::chrono::milliseconds poll,
                                                         std::chrono::milliseconds position_step) const
{
    // The position the engine reports moves in steps of the output's buffer: looking one
    // step (and a millisecond) after the computed moment finds the knob moved.
    if (!links_.playback || !links_.playback->playing())
        return std::nullopt;
    const std::int64_t length_ms = links_.playback->playback_length_ms();
    const float fraction = links_.playback->playback_fraction();
    std::optional<std::chrono::milliseconds> soonest;
    for (const Slider& slider : sliders_) {
        if (slider.identifier() != Slider::seek_identifier)
            continue;
        std::optional<std::chrono::milliseconds> step = poll;
        if (length_ms > 0) {
            step = slider.time_to_next_pixel(fraction, length_ms);
            if (step)
                *step += position_step + std::chrono::milliseconds(1);
        }
        if (step && (!soonest || *step < *soonest))
            soonest = step;
    }
    return soonest;
}

void Page::set_lamps(std::string_view name, bool lit)
{
    for (Lamp& lamp : lamps_)
        lamp.set(name, lit);
}

void Page::react_to_slider(std::uint16_t identifier)
{
    for (const Slider& slider : sliders_) {
        if (slider.identifier() != identifier)
            continue;
        const float percent = slider.percentage();
        if (identifier == Slider::seek_identifier && links_.playback)
            links_.playback->seek_percent(percent);
        else if (identifier == Slider::list_scroll_identifier && list_view_)
            list_view_->scroll_to_percent(percent);
        else if (identifier == Slider::text_scroll_identifier && text_browser_)
            text_browser_->scroll_to_percent(percent);
    }
}

void Page::take_selection_from(const Page& left)
{
    if (!list_view_ || !left.list_view_)
        return;
    list_view_->set_selected(left.list_view_->selected());
    list_view_->show_selected();
}

void Page::on_command(std::uint16_t id, std::uint16_t argument)
{
    PagePlayback* playback = links_.playback;
    switch (static_cast<CommandId>(id)) {
    case CommandId::next_track:
    case CommandId::previous_track:
    case CommandId::track_changed_by_itself:
        if (list_view_ && playback) {
            list_view_->set_selected(playback->current_index());
            list_view_->show_selected();
        }
        break;
    case CommandId::toggle_repeat:
        if (playback)
            set_lamps("musiclooped", playback->repeat());
        break;
    case CommandId::toggle_random:
        if (playback)
            set_lamps("musicrandom", playback->random());
        break;
    case CommandId::slider_changed:
        react_to_slider(argument);
        break;
    case CommandId::list_line_activated:
        if (list_view_ && playback) {
            if (list_view_->selected() != playback->current_index())
                playback->play_track(list_view_->selected());
            list_view_->set_selected(playback->current_index());
        }
        break;
    case CommandId::list_scroll_up:
        if (list_view_)
            list_view_->scroll_up();
        break;
    case CommandId::list_scroll_down:
        if (list_view_)
            list_view_->scroll_down();
        break;
    case CommandId::text_scroll_up:
        if (text_browser_)
            text_browser_->scroll_up();
        break;
    case CommandId::text_scroll_down:
        if (text_browser_)
            text_browser_->scroll_down();
        break;
    case CommandId::text_back:
        if (text_browser_)
            text_browser_->back();
        break;
    case CommandId::looped_module_started:
        set_lamps("modulelooped", true);
        break;
    case CommandId::unlooped_module_started:
        set_lamps("modulelooped", false);
        break;
    case CommandId::minimise:
        for (Button& button : buttons_)
            button.clear_hover_and_pressed();
        break;
    default:
        break;
    }
}
