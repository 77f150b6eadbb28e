// SPDX-License-Identifier: GPL-3.0-or-later
// WaylandObject: a client-side Wayland object owned through unique_ptr, destroyed with the
// protocol's destructor request (wl_surface_destroy, xdg_toplevel_destroy, ...) when it goes.
#pragma once

#include <fractional-scale-v1-client-protocol.h>
#include <viewporter-client-protocol.h>
#include <xdg-shell-client-protocol.h>
#include <wayland-client.h>

#include <memory>

struct WaylandDestroyer {
    void operator()(wl_registry* object) const { wl_registry_destroy(object); }
    void operator()(wl_compositor* object) const { wl_compositor_destroy(object); }
    void operator()(wl_shm* object) const { wl_shm_destroy(object); }
    void operator()(wl_seat* object) const { wl_seat_destroy(object); }
    void operator()(wl_output* object) const { wl_output_destroy(object); }
    void operator()(wl_pointer* object) const { wl_pointer_destroy(object); }
    void operator()(wl_keyboard* object) const { wl_keyboard_destroy(object); }
    void operator()(wl_surface* object) const { wl_surface_destroy(object); }
    void operator()(wl_buffer* object) const { wl_buffer_destroy(object); }
    void operator()(wl_callback* object) const { wl_callback_destroy(object); }
    void operator()(xdg_wm_base* object) const { xdg_wm_base_destroy(object); }
    void operator()(xdg_surface* object) const { xdg_surface_destroy(object); }
    void operator()(xdg_toplevel* object) const { xdg_toplevel_destroy(object); }
    void operator()(wp_viewporter* object) const { wp_viewporter_destroy(object); }
    void operator()(wp_viewport* object) const { wp_viewport_destroy(object); }
    void operator()(wp_fractional_scale_manager_v1* object) const { wp_fractional_scale_manager_v1_destroy(object); }
    void operator()(wp_fractional_scale_v1* object) const { wp_fractional_scale_v1_destroy(object); }
};

template <typename T>
using WaylandObject = std::unique_ptr<T, WaylandDestroyer>;
