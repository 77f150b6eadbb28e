// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_input.h"

#include <windowsx.h>

namespace {

// Rounds towards minus infinity, so that positions left of or above the window stay outside.
std::int32_t to_skin(std::int32_t window_pixel, int scale)
{
    return window_pixel >= 0 ? window_pixel / scale : -((-window_pixel + scale - 1) / scale);
}

} // namespace

bool translate_input(HWND window, int scale, UINT message, WPARAM wparam, LPARAM lparam, Win32EventSource& events)
{
    const auto mouse = [scale](EventKind kind, MouseButton button, LPARAM position) {
        return Event{.kind = kind, .button = button, .x = to_skin(GET_X_LPARAM(position), scale),
                     .y = to_skin(GET_Y_LPARAM(position), scale)};
    };
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
        RECT corner{};
        GetWindowRect(window, &corner);
        Event event{.kind = EventKind::wheel,
                    .x = corner.left + to_skin(GET_X_LPARAM(lparam) - corner.left, scale),
                    .y = corner.top + to_skin(GET_Y_LPARAM(lparam) - corner.top, scale)};
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
