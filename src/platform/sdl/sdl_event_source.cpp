// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/sdl_event_source.h"

#include "platform/linux_services/sdl_keys.h"

#include <algorithm>
#include <limits>

namespace {

std::uint16_t key_state_of(std::uint32_t buttons)
{
    std::uint16_t state = 0;
    if (buttons & SDL_BUTTON_LMASK)
        state |= key_state_left;
    if (buttons & SDL_BUTTON_RMASK)
        state |= key_state_right;
    if (buttons & SDL_BUTTON_MMASK)
        state |= key_state_middle;
    const SDL_Keymod modifiers = SDL_GetModState();
    if (modifiers & KMOD_SHIFT)
        state |= key_state_shift;
    if (modifiers & KMOD_CTRL)
        state |= key_state_control;
    return state;
}

std::optional<MouseButton> button_of(std::uint8_t button)
{
    switch (button) {
    case SDL_BUTTON_LEFT: return MouseButton::left;
    case SDL_BUTTON_RIGHT: return MouseButton::right;
    case SDL_BUTTON_MIDDLE: return MouseButton::middle;
    default: return std::nullopt;
    }
}

// A window pixel coordinate in skin pixels (rounding down, also left of and above the window).
std::int32_t to_skin(std::int32_t window_pixel, int scale)
{
    return window_pixel >= 0 ? window_pixel / scale : -((-window_pixel + scale - 1) / scale);
}

} // namespace

std::optional<Event> SdlEventSource::wait_event()
{
    if (pending_) {
        const Event event = *pending_;
        pending_.reset();
        return event;
    }
    for (;;) {
        if (tray_) {
            if (auto event = tray_->poll_event())
                return event;
        }
        if (media_remote_) {
            if (auto event = media_remote_->poll_event())
                return event;
        }
        const std::uint64_t now = TickSchedule::steady_now_ms();
        if (ticks_.take_due(now))
            return Event{.kind = EventKind::timer_tick};
        const auto wait = ticks_.wait_timeout(now);
        // SDL counts the wait down in its own milliseconds, which may read one more than has
        // passed: one millisecond more keeps the wait from ending just before the tick.
        const int timeout =
            wait ? static_cast<int>(std::min<std::uint64_t>(*wait + 1, std::numeric_limits<std::int32_t>::max())) : -1;
        // A signal whose byte is drained here came after the loop last looked: it wakes it now.
        stop_signals_.drain();
        if (stop_signals_.request_pending())
            return Event{.kind = EventKind::wake_up};
        watcher_.watch(connection_sockets());
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, timeout)) {
            if (auto translated = translate(event))
                return translated;
        }
    }
}

std::vector<int> SdlEventSource::connection_sockets() const
{
    std::vector<int> sockets{stop_signals_.read_end()};
    if (tray_)
        tray_->add_sockets(sockets);
    if (media_remote_)
        sockets.push_back(media_remote_->socket());
    std::erase(sockets, -1);
    return sockets;
}

void SdlEventSource::start_timer(std::chrono::milliseconds period)
{
    ticks_.start(TickSchedule::steady_now_ms(), period);
}

void SdlEventSource::stop_timer()
{
    ticks_.stop();
}

void SdlEventSource::set_next_tick(std::optional<std::chrono::milliseconds> delay)
{
    ticks_.set_next(TickSchedule::steady_now_ms(), delay);
}

void SdlEventSource::wake_up()
{
    wake_post_.request([] {
        SDL_Event event{};
        event.type = SDL_USEREVENT;
        return SDL_PushEvent(&event) == 1;
    });
}

std::optional<Event> SdlEventSource::translate(const SDL_Event& event)
{
    const bool dragging = window_ && window_->dragging();
    const int scale = window_ ? window_->scale() : 1;
    switch (event.type) {
    case SDL_USEREVENT:
        wake_post_.taken();
        return Event{.kind = EventKind::wake_up};
    case SDL_QUIT:
        return Event{.kind = EventKind::close_request};
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE: return Event{.kind = EventKind::close_request};
        case SDL_WINDOWEVENT_FOCUS_GAINED: return Event{.kind = EventKind::focus_gained};
        case SDL_WINDOWEVENT_MOVED: return Event{.kind = EventKind::window_moved};
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (window_)
                window_->invalidate();
            return std::nullopt;
        default: return std::nullopt;
        }
    case SDL_MOUSEMOTION:
        if (dragging) {
            window_->drag_to(event.motion.x, event.motion.y);
            return std::nullopt;
        }
        return Event{.kind = EventKind::mouse_move, .x = to_skin(event.motion.x, scale),
                     .y = to_skin(event.motion.y, scale), .key_state = key_state_of(event.motion.state)};
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const auto button = button_of(event.button.button);
        if (!button)
            return std::nullopt;
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        if (!down && dragging && *button == MouseButton::left) {
            window_->end_drag();
            return std::nullopt;
        }
        const Event mouse{.kind = down ? EventKind::button_down : EventKind::button_up, .button = *button,
                          .x = to_skin(event.button.x, scale), .y = to_skin(event.button.y, scale)};
        if (down && *button == MouseButton::left && event.button.clicks >= 2 && event.button.clicks % 2 == 0)
            pending_ = Event{.kind = EventKind::double_click, .x = mouse.x, .y = mouse.y};
        return mouse;
    }
    case SDL_MOUSEWHEEL: {
        if (!window_)
            return std::nullopt;
        const Rect window = window_->screen_rect();
        const int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        return Event{.kind = EventKind::wheel, .x = window.left + to_skin(event.wheel.mouseX, scale),
                     .y = window.top + to_skin(event.wheel.mouseY, scale),
                     .wheel_delta = static_cast<std::int16_t>(std::clamp(notches * wheel_notch, -32768, 32767))};
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const std::uint16_t key = virtual_key_of(event.key.keysym.sym);
        if (key == 0)
            return std::nullopt;
        return Event{.kind = event.type == SDL_KEYDOWN ? EventKind::key_down : EventKind::key_up, .key = key};
    }
    default:
        return std::nullopt;
    }
}
