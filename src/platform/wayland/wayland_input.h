// SPDX-License-Identifier: GPL-3.0-or-later
// WaylandInput: the seat's pointer and keyboard as `Event`s for the window's surface. Pointer
// positions are surface coordinates, which are skin pixels at every scale; double clicks are
// counted by ClickCounter; the wheel's discrete steps become notches (one notch per ten
// units where the compositor sends no steps). Keys go through the compositor's keymap
// (xkbcommon) to virtual-key codes, repeated as the compositor's repeat_info says. The
// pointer shows the cursor theme's arrow. Not copyable or movable (listeners hold its
// address). UI thread only.
#pragma once

#include "platform/click_counter.h"
#include "platform/wayland/wayland_object.h"

#include <wayland-client.h>
#include <wayland-cursor.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdint>
#include <memory>

class WaylandConnection;
class WaylandEventSource;

class WaylandInput {
public:
    // Listens to the connection's seat, if there is one, and waits for its capabilities;
    // both must outlive it.
    WaylandInput(WaylandConnection& connection, WaylandEventSource& events);
    ~WaylandInput();
    WaylandInput(const WaylandInput&) = delete;
    WaylandInput& operator=(const WaylandInput&) = delete;

    // The surface whose input is delivered (nullptr: none).
    void set_surface(wl_surface* surface) { surface_ = surface; }
    // The serial of the last left press on the surface (for xdg_toplevel.move), 0 before one.
    std::uint32_t left_press_serial() const { return left_press_serial_; }
    // Ends a run of pressed buttons that the compositor took over (a move): no release comes.
    void forget_buttons() { buttons_ = 0; }

private:
    static void on_capabilities(void* self, wl_seat* seat, std::uint32_t capabilities);
    static void on_seat_name(void*, wl_seat*, const char*) {}

    static void on_enter(void* self, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface,
                         wl_fixed_t x, wl_fixed_t y);
    static void on_leave(void* self, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface);
    static void on_motion(void* self, wl_pointer* pointer, std::uint32_t time, wl_fixed_t x, wl_fixed_t y);
    static void on_button(void* self, wl_pointer* pointer, std::uint32_t serial, std::uint32_t time,
                          std::uint32_t button, std::uint32_t state);
    static void on_axis(void* self, wl_pointer* pointer, std::uint32_t time, std::uint32_t axis, wl_fixed_t value);
    static void on_axis_discrete(void* self, wl_pointer* pointer, std::uint32_t axis, std::int32_t steps);
    static void on_pointer_frame(void* self, wl_pointer* pointer);

    static void on_keymap(void* self, wl_keyboard* keyboard, std::uint32_t format, std::int32_t fd, std::uint32_t size);
    static void on_key_enter(void* self, wl_keyboard* keyboard, std::uint32_t serial, wl_surface* surface,
                             wl_array* keys);
    static void on_key_leave(void* self, wl_keyboard* keyboard, std::uint32_t serial, wl_surface* surface);
    static void on_key(void* self, wl_keyboard* keyboard, std::uint32_t serial, std::uint32_t time,
                       std::uint32_t key, std::uint32_t state);
    static void on_modifiers(void* self, wl_keyboard* keyboard, std::uint32_t serial, std::uint32_t depressed,
                             std::uint32_t latched, std::uint32_t locked, std::uint32_t group);
    static void on_repeat_info(void* self, wl_keyboard* keyboard, std::int32_t rate, std::int32_t delay);

    std::uint16_t key_state() const;
    void wheel(int notches);
    // The theme's arrow, the theme read on the first call; nullptr without one.
    wl_cursor* arrow();

    struct XkbDeleter {
        void operator()(xkb_context* context) const { xkb_context_unref(context); }
        void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
        void operator()(xkb_state* state) const { xkb_state_unref(state); }
    };
    struct ThemeDeleter {
        void operator()(wl_cursor_theme* theme) const { wl_cursor_theme_destroy(theme); }
    };

    WaylandConnection& connection_;
    WaylandEventSource& events_;
    wl_surface* surface_ = nullptr;
    bool pointer_inside_ = false;
    bool keyboard_inside_ = false;
    WaylandObject<wl_pointer> pointer_;
    WaylandObject<wl_keyboard> keyboard_;
    bool cursor_theme_tried_ = false;
    std::unique_ptr<wl_cursor_theme, ThemeDeleter> cursor_theme_;
    WaylandObject<wl_surface> cursor_surface_;
    std::unique_ptr<xkb_context, XkbDeleter> xkb_;
    std::unique_ptr<xkb_keymap, XkbDeleter> keymap_;
    std::unique_ptr<xkb_state, XkbDeleter> key_state_;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    std::uint16_t buttons_ = 0; // key_state bits of the held buttons
    ClickCounter clicks_;
    std::uint32_t left_press_serial_ = 0;
    int axis_steps_ = 0;      // discrete wheel steps of the current pointer frame
    double axis_units_ = 0.0; // continuous wheel units not yet a notch
    bool axis_discrete_ = false;
    std::uint32_t repeat_delay_ms_ = 600;
    std::uint32_t repeat_interval_ms_ = 40;
};
