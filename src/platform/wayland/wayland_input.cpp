// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/wayland_input.h"

#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_event_source.h"
#include "platform/wayland/wayland_keys.h"

#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Continuous wheel units of one notch (what compositors send per step of a wheel).
constexpr double units_per_notch = 10.0;
constexpr int cursor_size = 24;

std::int32_t pixel(wl_fixed_t position)
{
    return static_cast<std::int32_t>(std::floor(wl_fixed_to_double(position)));
}

} // namespace

WaylandInput::WaylandInput(WaylandConnection& connection, WaylandEventSource& events)
    : connection_(connection), events_(events), xkb_(xkb_context_new(XKB_CONTEXT_NO_FLAGS))
{
    if (!connection.seat())
        return;
    static constexpr wl_seat_listener listener{.capabilities = on_capabilities, .name = on_seat_name};
    wl_seat_add_listener(connection.seat(), &listener, this);
    cursor_surface_.reset(wl_compositor_create_surface(connection.compositor()));
    connection.roundtrip(); // the seat's capabilities, the outputs' modes and scales
}

WaylandInput::~WaylandInput() = default;

wl_cursor* WaylandInput::arrow()
{
    // Read when the pointer first comes: libwayland-cursor reads every cursor of the theme,
    // which would cost more than the rest of the player's start-up.
    if (!cursor_theme_tried_) {
        cursor_theme_tried_ = true;
        const char* size = std::getenv("XCURSOR_SIZE");
        cursor_theme_.reset(wl_cursor_theme_load(std::getenv("XCURSOR_THEME"),
                                                 size ? std::max(std::atoi(size), 8) : cursor_size, connection_.shm()));
    }
    return cursor_theme_ ? wl_cursor_theme_get_cursor(cursor_theme_.get(), "left_ptr") : nullptr;
}

void WaylandInput::on_capabilities(void* self, wl_seat* seat, std::uint32_t capabilities)
{
    auto& input = *static_cast<WaylandInput*>(self);
    const bool has_pointer = capabilities & WL_SEAT_CAPABILITY_POINTER;
    if (has_pointer && !input.pointer_) {
        input.pointer_.reset(wl_seat_get_pointer(seat));
        static constexpr wl_pointer_listener listener{
            .enter = on_enter, .leave = on_leave, .motion = on_motion, .button = on_button, .axis = on_axis,
            .frame = on_pointer_frame, .axis_source = [](void*, wl_pointer*, std::uint32_t) {},
            .axis_stop = [](void*, wl_pointer*, std::uint32_t, std::uint32_t) {},
            .axis_discrete = on_axis_discrete, .axis_value120 = nullptr};
        wl_pointer_add_listener(input.pointer_.get(), &listener, &input);
    } else if (!has_pointer) {
        input.pointer_.reset();
    }
    const bool has_keyboard = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
    if (has_keyboard && !input.keyboard_) {
        input.keyboard_.reset(wl_seat_get_keyboard(seat));
        static constexpr wl_keyboard_listener listener{.keymap = on_keymap, .enter = on_key_enter,
                                                       .leave = on_key_leave, .key = on_key,
                                                       .modifiers = on_modifiers, .repeat_info = on_repeat_info};
        wl_keyboard_add_listener(input.keyboard_.get(), &listener, &input);
    } else if (!has_keyboard) {
        input.keyboard_.reset();
        input.events_.stop_repeat();
    }
}

void WaylandInput::on_enter(void* self, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface, wl_fixed_t x,
                            wl_fixed_t y)
{
    auto& input = *static_cast<WaylandInput*>(self);
    input.pointer_inside_ = surface && surface == input.surface_;
    if (!input.pointer_inside_)
        return;
    if (wl_cursor* cursor = input.arrow()) {
        wl_cursor_image* image = cursor->images[0];
        wl_surface_attach(input.cursor_surface_.get(), wl_cursor_image_get_buffer(image), 0, 0);
        wl_surface_damage_buffer(input.cursor_surface_.get(), 0, 0, static_cast<std::int32_t>(image->width),
                                 static_cast<std::int32_t>(image->height));
        wl_surface_commit(input.cursor_surface_.get());
        wl_pointer_set_cursor(pointer, serial, input.cursor_surface_.get(), static_cast<std::int32_t>(image->hotspot_x),
                              static_cast<std::int32_t>(image->hotspot_y));
    }
    // A move by the compositor ends with the pointer back over the window, its button up.
    input.buttons_ = 0;
    input.x_ = pixel(x);
    input.y_ = pixel(y);
    input.events_.push(Event{.kind = EventKind::mouse_move, .x = input.x_, .y = input.y_, .key_state = input.key_state()});
}

void WaylandInput::on_leave(void* self, wl_pointer*, std::uint32_t, wl_surface*)
{
    static_cast<WaylandInput*>(self)->pointer_inside_ = false;
}

void WaylandInput::on_motion(void* self, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y)
{
    auto& input = *static_cast<WaylandInput*>(self);
    if (!input.pointer_inside_)
        return;
    input.x_ = pixel(x);
    input.y_ = pixel(y);
    input.events_.push(Event{.kind = EventKind::mouse_move, .x = input.x_, .y = input.y_, .key_state = input.key_state()});
}

void WaylandInput::on_button(void* self, wl_pointer*, std::uint32_t serial, std::uint32_t time, std::uint32_t button,
                             std::uint32_t state)
{
    auto& input = *static_cast<WaylandInput*>(self);
    if (!input.pointer_inside_)
        return;
    MouseButton which = MouseButton::left;
    std::uint16_t bit = key_state_left;
    switch (button) {
    case BTN_LEFT: break;
    case BTN_RIGHT: which = MouseButton::right, bit = key_state_right; break;
    case BTN_MIDDLE: which = MouseButton::middle, bit = key_state_middle; break;
    default: return;
    }
    const bool down = state == WL_POINTER_BUTTON_STATE_PRESSED;
    input.buttons_ = static_cast<std::uint16_t>(down ? input.buttons_ | bit : input.buttons_ & ~bit);
    input.events_.push(Event{.kind = down ? EventKind::button_down : EventKind::button_up, .button = which,
                             .x = input.x_, .y = input.y_});
    if (down && which == MouseButton::left) {
        input.left_press_serial_ = serial;
        if (input.clicks_.press(input.x_, input.y_, time) % 2 == 0)
            input.events_.push(Event{.kind = EventKind::double_click, .x = input.x_, .y = input.y_});
    }
}

void WaylandInput::on_axis(void* self, wl_pointer*, std::uint32_t, std::uint32_t axis, wl_fixed_t value)
{
    auto& input = *static_cast<WaylandInput*>(self);
    if (!input.pointer_inside_ || axis != WL_POINTER_AXIS_VERTICAL_SCROLL)
        return;
    input.axis_units_ += wl_fixed_to_double(value);
    if (input.connection_.seat_version() < WL_POINTER_FRAME_SINCE_VERSION)
        on_pointer_frame(self, nullptr); // no frames: each event stands alone
}

void WaylandInput::on_axis_discrete(void* self, wl_pointer*, std::uint32_t axis, std::int32_t steps)
{
    auto& input = *static_cast<WaylandInput*>(self);
    if (!input.pointer_inside_ || axis != WL_POINTER_AXIS_VERTICAL_SCROLL)
        return;
    input.axis_steps_ += steps;
    input.axis_discrete_ = true;
}

void WaylandInput::on_pointer_frame(void* self, wl_pointer*)
{
    auto& input = *static_cast<WaylandInput*>(self);
    int steps = 0;
    if (input.axis_discrete_) {
        steps = input.axis_steps_;
        input.axis_units_ = 0.0;
    } else {
        steps = static_cast<int>(std::trunc(input.axis_units_ / units_per_notch));
        input.axis_units_ -= steps * units_per_notch;
    }
    input.axis_steps_ = 0;
    input.axis_discrete_ = false;
    if (steps != 0)
        input.wheel(-steps); // Wayland counts downwards, the wheel delta upwards
}

void WaylandInput::wheel(int notches)
{
    events_.push(Event{.kind = EventKind::wheel, .x = x_, .y = y_,
                       .wheel_delta = static_cast<std::int16_t>(std::clamp(notches * wheel_notch, -32768, 32767))});
}

void WaylandInput::on_keymap(void* self, wl_keyboard*, std::uint32_t format, std::int32_t fd, std::uint32_t size)
{
    auto& input = *static_cast<WaylandInput*>(self);
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0 && input.xkb_) {
        void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (text != MAP_FAILED) {
            // The text ends with a NUL, which the size counts.
            input.keymap_.reset(xkb_keymap_new_from_buffer(input.xkb_.get(), static_cast<const char*>(text), size - 1,
                                                           XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS));
            munmap(text, size);
            input.key_state_.reset(input.keymap_ ? xkb_state_new(input.keymap_.get()) : nullptr);
        }
    }
    close(fd);
}

void WaylandInput::on_key_enter(void* self, wl_keyboard*, std::uint32_t, wl_surface* surface, wl_array*)
{
    auto& input = *static_cast<WaylandInput*>(self);
    input.keyboard_inside_ = surface && surface == input.surface_;
    if (input.keyboard_inside_)
        input.events_.push(Event{.kind = EventKind::focus_gained});
}

void WaylandInput::on_key_leave(void* self, wl_keyboard*, std::uint32_t, wl_surface*)
{
    auto& input = *static_cast<WaylandInput*>(self);
    input.keyboard_inside_ = false;
    input.events_.stop_repeat();
}

void WaylandInput::on_key(void* self, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t key, std::uint32_t state)
{
    auto& input = *static_cast<WaylandInput*>(self);
    if (!input.keyboard_inside_ || !input.key_state_)
        return;
    const xkb_keycode_t code = key + 8; // evdev codes to X key codes
    // The key's unshifted symbol, as the SDL back end sees keys.
    const xkb_layout_index_t layout = xkb_state_key_get_layout(input.key_state_.get(), code);
    const xkb_keysym_t* symbols = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(input.keymap_.get(), code,
                                                       layout == XKB_LAYOUT_INVALID ? 0 : layout, 0, &symbols);
    const std::uint16_t virtual_key = count > 0 ? virtual_key_of_keysym(symbols[0]) : 0;
    if (virtual_key == 0)
        return;
    const bool down = state == WL_KEYBOARD_KEY_STATE_PRESSED;
    input.events_.push(Event{.kind = down ? EventKind::key_down : EventKind::key_up, .key = virtual_key});
    if (down && xkb_keymap_key_repeats(input.keymap_.get(), code))
        input.events_.start_repeat(virtual_key, input.repeat_delay_ms_, input.repeat_interval_ms_);
    else
        input.events_.stop_repeat();
}

void WaylandInput::on_modifiers(void* self, wl_keyboard*, std::uint32_t, std::uint32_t depressed, std::uint32_t latched,
                                std::uint32_t locked, std::uint32_t group)
{
    auto& input = *static_cast<WaylandInput*>(self);
    if (input.key_state_)
        xkb_state_update_mask(input.key_state_.get(), depressed, latched, locked, 0, 0, group);
}

void WaylandInput::on_repeat_info(void* self, wl_keyboard*, std::int32_t rate, std::int32_t delay)
{
    auto& input = *static_cast<WaylandInput*>(self);
    input.repeat_delay_ms_ = static_cast<std::uint32_t>(std::max(delay, 0));
    input.repeat_interval_ms_ = rate > 0 ? static_cast<std::uint32_t>(std::max(1000 / rate, 1)) : 0;
}

std::uint16_t WaylandInput::key_state() const
{
    std::uint16_t state = buttons_;
    if (key_state_) {
        if (xkb_state_mod_name_is_active(key_state_.get(), XKB_MOD_NAME_SHIFT, XKB_STATE_MODS_EFFECTIVE) > 0)
            state |= key_state_shift;
        if (xkb_state_mod_name_is_active(key_state_.get(), XKB_MOD_NAME_CTRL, XKB_STATE_MODS_EFFECTIVE) > 0)
            state |= key_state_control;
    }
    return state;
}
