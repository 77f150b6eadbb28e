// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/message_router.h"

PageHandlers* MessageRouter::current_page() const
{
    if (t_.pages.page_count() == 0)
        return nullptr;
    return t_.pages.find_page(t_.shell.current_page);
}

void MessageRouter::route(const Event& event)
{
    PageHandlers* page = current_page();
    const bool left = event.button == MouseButton::left;

    switch (event.kind) {
    case EventKind::close_request:
        t_.shell_window.quit();
        break;
    case EventKind::focus_gained:
        if (page)
            page->on_focus();
        break;
    case EventKind::key_down:
        if (page)
            page->on_key_down(event.key);
        break;
    case EventKind::key_up:
        if (page)
            page->on_key_up(event.key);
        break;
    case EventKind::timer_tick:
        if (page)
            page->on_timer(t_.clock.now_ms());
        break;
    case EventKind::mouse_move:
        t_.shell.last_mouse_x = event.x;
        t_.shell.last_mouse_y = event.y;
        if (page)
            page->on_mouse_move(event.x, event.y, event.key_state);
        break;
    case EventKind::button_down:
        if (left)
            left_down(event);
        else if (event.button == MouseButton::right && page)
            page->on_right_down();
        break;
    case EventKind::button_up:
        if (left && page && !t_.tray.icon_shown())
            page->on_left_up(event.x, event.y);
        break;
    case EventKind::double_click:
        if (page)
            page->on_double_click(event.x, event.y);
        break;
    case EventKind::wheel:
        if (page) {
            const Rect window = t_.window.screen_rect();
            page->on_wheel(event.x - window.left, event.y - window.top, event.wheel_delta);
        }
        break;
    case EventKind::tray_click:
        if (left)
            t_.commands.post_command(CommandId::restore_from_tray);
        else if (event.button == MouseButton::right)
            t_.tray.show_menu();
        break;
    case EventKind::tray_menu_choice:
        tray_menu_choice(event.menu_id);
        break;
    case EventKind::window_moved:
    case EventKind::wake_up:
    case EventKind::media_request: // the Player hands these to its MediaLink
        break;
    }
}

void MessageRouter::left_down(const Event& event)
{
    if (t_.tray.icon_shown())
        return;
    PageHandlers* page = current_page();
    if (page && page->on_left_down(event.x, event.y))
        return;
    t_.window.begin_move(event.x, event.y);
}

void MessageRouter::tray_menu_choice(std::uint16_t id)
{
    if (id == command_value(CommandId::restore_from_tray)) {
        t_.commands.post_command(CommandId::restore_from_tray);
        return;
    }
    for (const TrayIcon::Item& item : t_.tray.items()) {
        if (item.command.id == id)
            t_.commands.post_command(item.command);
    }
}
