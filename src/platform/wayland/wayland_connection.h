// SPDX-License-Identifier: GPL-3.0-or-later
// WaylandConnection: the connection to the compositor named by WAYLAND_DISPLAY and the
// globals the player uses: wl_compositor, wl_shm, xdg_wm_base (all three required), the
// first wl_seat, the outputs (their scale and size), and, where offered, wp_viewporter and
// wp_fractional_scale_manager_v1. Answers xdg_wm_base's pings. Not copyable or movable (the
// listeners hold its address). UI thread only.
#pragma once

#include "platform/wayland/wayland_object.h"

#include <fractional-scale-v1-client-protocol.h>
#include <viewporter-client-protocol.h>
#include <xdg-shell-client-protocol.h>
#include <wayland-client.h>

#include <cstdint>
#include <memory>
#include <vector>

class WaylandConnection {
public:
    // Connects and reads the globals; throws SkinError naming what is missing (no compositor,
    // or one without xdg_wm_base, wl_shm or wl_compositor).
    WaylandConnection();
    ~WaylandConnection();
    WaylandConnection(const WaylandConnection&) = delete;
    WaylandConnection& operator=(const WaylandConnection&) = delete;

    wl_display* display() const { return display_.get(); }
    wl_compositor* compositor() const { return compositor_.get(); }
    wl_shm* shm() const { return shm_.get(); }
    xdg_wm_base* wm_base() const { return wm_base_.get(); }
    wl_seat* seat() const { return seat_.get(); }
    std::uint32_t seat_version() const { return seat_version_; }
    wp_viewporter* viewporter() const { return viewporter_.get(); }
    wp_fractional_scale_manager_v1* fractional_scale_manager() const { return fractional_scale_.get(); }

    // The scale an output asks for (1 when it said none or is unknown).
    int output_scale(const wl_output* output) const;
    // The largest scale of the outputs known (1 before any is).
    int largest_output_scale() const;
    // The size of the first output's current mode in pixels (0 by 0 before it is known).
    std::int32_t first_output_width() const;
    std::int32_t first_output_height() const;

    // Sends what is queued and waits until the compositor has answered all of it.
    void roundtrip();

private:
    struct Output {
        WaylandObject<wl_output> output;
        std::uint32_t name = 0;
        int scale = 1;
        std::int32_t width = 0;
        std::int32_t height = 0;
    };

    static void on_global(void* self, wl_registry* registry, std::uint32_t name, const char* interface,
                          std::uint32_t version);
    static void on_global_remove(void* self, wl_registry* registry, std::uint32_t name);
    static void on_ping(void* self, xdg_wm_base* base, std::uint32_t serial);
    static void on_output_geometry(void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                   std::int32_t, const char*, const char*, std::int32_t) {}
    static void on_output_mode(void* output, wl_output*, std::uint32_t flags, std::int32_t width,
                               std::int32_t height, std::int32_t refresh);
    static void on_output_done(void*, wl_output*) {}
    static void on_output_scale(void* output, wl_output*, std::int32_t factor);

    struct DisplayCloser {
        void operator()(wl_display* display) const { wl_display_disconnect(display); }
    };

    std::unique_ptr<wl_display, DisplayCloser> display_;
    WaylandObject<wl_registry> registry_;
    WaylandObject<wl_compositor> compositor_;
    WaylandObject<wl_shm> shm_;
    WaylandObject<xdg_wm_base> wm_base_;
    WaylandObject<wl_seat> seat_;
    std::uint32_t seat_version_ = 0;
    WaylandObject<wp_viewporter> viewporter_;
    WaylandObject<wp_fractional_scale_manager_v1> fractional_scale_;
    std::vector<std::unique_ptr<Output>> outputs_;
};
