// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_input.h"

#include <windowsx.h>

namespace {

Event mouse(EventKind kind, MouseButton button, LPARAM lparam)
{
    return Event{.kind = kind, .button = button, .x = GET_X_LPARAM(lparam), .y = GET_Y_LPARAM(lparam)};
}

} // namespace

bool translate_input(UINT message, WPARAM wparam, LPARAM lparam, Win32EventSource& events)
{
    switch (message) {
    case WM_MOUSEMOVE: {
        Event event = mouse(EventKind::mouse_move, MouseButton::left, lparam);
        event.key_state = static_cast<std::uint16_t>(wparam & 0xFFFF);
        events.push(event);
        return true;
    }
    case WM_LBUTTONDOWN: events.push(mouse(EventKind::button_down, MouseButton::left, lparam)); return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: events.push(mouse(EventKind::button_down, MouseButton::right, lparam)); return true;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: events.push(mouse(EventKind::button_down, MouseButton::middle, lparam)); return true;
    case WM_LBUTTONUP: events.push(mouse(EventKind::button_up, MouseButton::left, lparam)); return true;
    case WM_RBUTTONUP: events.push(mouse(EventKind::button_up, MouseButton::right, lparam)); return true;
    case WM_MBUTTONUP: events.push(mouse(EventKind::button_up, MouseButton::middle, lparam)); return true;
    case WM_LBUTTONDBLCLK:
        events.push(mouse(EventKind::button_down, MouseButton::left, lparam));
        events.push(mouse(EventKind::double_click, MouseButton::left, lparam));
        return true;
    case WM_MOUSEWHEEL: {
        Event event = mouse(EventKind::wheel, MouseButton::left, lparam);
        event.wheel_delta = GET_WHEEL_DELTA_WPARAM(wparam);
        events.push(event);
        return true;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        events.push(Event{.kind = down ? EventKind::key_down : EventKind::key_up,
                          .key = static_cast<std::uint16_t>(wparam & 0xFFFF)});
        return true;
    }
    case WM_SETFOCUS: events.push(Event{.kind = EventKind::focus_gained}); return true;
    case WM_MOVE: events.push(Event{.kind = EventKind::window_moved}); return true;
    case WM_CLOSE: events.push(Event{.kind = EventKind::close_request}); return true;
    default: return false;
    }
}
