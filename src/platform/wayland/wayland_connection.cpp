// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/wayland_connection.h"

#include "base/skin_error.h"

#include <algorithm>
#include <string_view>

namespace {

template <typename T>
T* bind(wl_registry* registry, std::uint32_t name, const wl_interface& interface, std::uint32_t offered,
        std::uint32_t wanted)
{
    return static_cast<T*>(wl_registry_bind(registry, name, &interface, std::min(offered, wanted)));
}

} // namespace

WaylandConnection::WaylandConnection() : display_(wl_display_connect(nullptr))
{
    if (!display_)
        throw SkinError("no Wayland compositor to connect to");
    registry_.reset(wl_display_get_registry(display_.get()));
    static constexpr wl_registry_listener listener{.global = on_global, .global_remove = on_global_remove};
    wl_registry_add_listener(registry_.get(), &listener, this);
    roundtrip(); // the globals
    if (!wm_base_)
        throw SkinError("the Wayland compositor offers no xdg_wm_base (xdg-shell)");
    if (!compositor_ || !shm_)
        throw SkinError("the Wayland compositor offers no wl_compositor or wl_shm");
    // The outputs' scales and modes arrive with the next roundtrip, which WaylandInput makes
    // once it listens to the seat (earlier, the seat's events would be lost).
}

WaylandConnection::~WaylandConnection() = default;

void WaylandConnection::on_global(void* self, wl_registry* registry, std::uint32_t name, const char* interface,
                                  std::uint32_t version)
{
    auto& connection = *static_cast<WaylandConnection*>(self);
    const std::string_view kind = interface;
    if (kind == wl_compositor_interface.name) {
        connection.compositor_.reset(bind<wl_compositor>(registry, name, wl_compositor_interface, version, 4));
    } else if (kind == wl_shm_interface.name) {
        connection.shm_.reset(bind<wl_shm>(registry, name, wl_shm_interface, version, 1));
    } else if (kind == xdg_wm_base_interface.name) {
        connection.wm_base_.reset(bind<xdg_wm_base>(registry, name, xdg_wm_base_interface, version, 2));
        static constexpr xdg_wm_base_listener listener{.ping = on_ping};
        xdg_wm_base_add_listener(connection.wm_base_.get(), &listener, &connection);
    } else if (kind == wl_seat_interface.name && !connection.seat_) {
        // Version 7: discrete wheel steps (axis_discrete), not yet the high-resolution ones.
        connection.seat_version_ = std::min<std::uint32_t>(version, 7);
        connection.seat_.reset(bind<wl_seat>(registry, name, wl_seat_interface, version, 7));
    } else if (kind == wl_output_interface.name) {
        auto output = std::make_unique<Output>();
        output->name = name;
        output->output.reset(bind<wl_output>(registry, name, wl_output_interface, version, 2));
        static constexpr wl_output_listener listener{.geometry = on_output_geometry, .mode = on_output_mode,
                                                     .done = on_output_done, .scale = on_output_scale,
                                                     .name = nullptr, .description = nullptr};
        wl_output_add_listener(output->output.get(), &listener, output.get());
        connection.outputs_.push_back(std::move(output));
    } else if (kind == wp_viewporter_interface.name) {
        connection.viewporter_.reset(bind<wp_viewporter>(registry, name, wp_viewporter_interface, version, 1));
    } else if (kind == wp_fractional_scale_manager_v1_interface.name) {
        connection.fractional_scale_.reset(bind<wp_fractional_scale_manager_v1>(
            registry, name, wp_fractional_scale_manager_v1_interface, version, 1));
    }
}

void WaylandConnection::on_global_remove(void* self, wl_registry*, std::uint32_t name)
{
    std::erase_if(static_cast<WaylandConnection*>(self)->outputs_,
                  [name](const std::unique_ptr<Output>& output) { return output->name == name; });
}

void WaylandConnection::on_ping(void*, xdg_wm_base* base, std::uint32_t serial)
{
    xdg_wm_base_pong(base, serial);
}

void WaylandConnection::on_output_mode(void* output, wl_output*, std::uint32_t flags, std::int32_t width,
                                       std::int32_t height, std::int32_t)
{
    if (flags & WL_OUTPUT_MODE_CURRENT) {
        static_cast<Output*>(output)->width = width;
        static_cast<Output*>(output)->height = height;
    }
}

void WaylandConnection::on_output_scale(void* output, wl_output*, std::int32_t factor)
{
    static_cast<Output*>(output)->scale = std::max(factor, 1);
}

int WaylandConnection::output_scale(const wl_output* output) const
{
    for (const auto& known : outputs_) {
        if (known->output.get() == output)
            return known->scale;
    }
    return 1;
}

int WaylandConnection::largest_output_scale() const
{
    int largest = 1;
    for (const auto& known : outputs_)
        largest = std::max(largest, known->scale);
    return largest;
}

std::int32_t WaylandConnection::first_output_width() const
{
    return outputs_.empty() ? 0 : outputs_.front()->width;
}

std::int32_t WaylandConnection::first_output_height() const
{
    return outputs_.empty() ? 0 : outputs_.front()->height;
}

void WaylandConnection::roundtrip()
{
    wl_display_roundtrip(display_.get());
}
