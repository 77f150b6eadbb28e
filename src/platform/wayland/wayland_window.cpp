// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/wayland_window.h"

#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_event_source.h"
#include "platform/wayland/wayland_input.h"

#include "base/desktop_text.h"
#include "platform/tick_schedule.h"
#include "platform/window_pixels.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace {

constexpr int max_scale = 4;
// More changed areas than this between two commits damage the whole window.
constexpr std::size_t max_damage_areas = 32;
// A commit this soon after the previous one is part of an animation, which the compositor's
// frame callbacks pace; a frame after a longer pause asks for none, saving a wake-up.
constexpr std::uint64_t paced_within_ms = 50;

std::optional<int> scale_from_environment()
{
    const char* value = std::getenv("VORLUNDE_SCALE");
    const std::string_view text = value ? value : "";
    if (text == "1" || text == "2")
        return text == "2" ? 2 : 1;
    return std::nullopt;
}

} // namespace

WaylandWindow::WaylandWindow(const WindowSpec& spec, WaylandConnection& connection, WaylandEventSource& events,
                             WaylandInput& input)
    : connection_(connection), events_(events), input_(input), width_(std::max(spec.width, 1)),
      height_(std::max(spec.height, 1)), surface_(wl_compositor_create_surface(connection.compositor())),
      fixed_scale_(scale_from_environment())
{
    static constexpr wl_surface_listener surface_listener{.enter = on_surface_enter, .leave = on_surface_leave};
    wl_surface_add_listener(surface_.get(), &surface_listener, this);
    input_.set_surface(surface_.get());

    xdg_surface_.reset(xdg_wm_base_get_xdg_surface(connection.wm_base(), surface_.get()));
    static constexpr xdg_surface_listener xdg_listener{.configure = on_configure};
    xdg_surface_add_listener(xdg_surface_.get(), &xdg_listener, this);
    toplevel_.reset(xdg_surface_get_toplevel(xdg_surface_.get()));
    static constexpr xdg_toplevel_listener toplevel_listener{.configure = on_toplevel_configure, .close = on_close,
                                                             .configure_bounds = nullptr, .wm_capabilities = nullptr};
    xdg_toplevel_add_listener(toplevel_.get(), &toplevel_listener, this);
    xdg_toplevel_set_app_id(toplevel_.get(), "org.vorlunde.vorlunde");
    xdg_toplevel_set_title(toplevel_.get(), to_desktop_text(spec.title).c_str());
    // A fixed size: tiling compositors float such windows.
    xdg_toplevel_set_min_size(toplevel_.get(), width_, height_);
    xdg_toplevel_set_max_size(toplevel_.get(), width_, height_);

    if (connection.viewporter() && connection.fractional_scale_manager() && !fixed_scale_) {
        viewport_.reset(wp_viewporter_get_viewport(connection.viewporter(), surface_.get()));
        fractional_.reset(wp_fractional_scale_manager_v1_get_fractional_scale(connection.fractional_scale_manager(),
                                                                               surface_.get()));
        static constexpr wp_fractional_scale_v1_listener fractional_listener{.preferred_scale = on_preferred_scale};
        wp_fractional_scale_v1_add_listener(fractional_.get(), &fractional_listener, this);
    }
    frame_scale_ = fixed_scale_.value_or(connection.largest_output_scale()) >= 2 ? 2 : 1;
    set_scale(fixed_scale_.value_or(1));
}

WaylandWindow::~WaylandWindow()
{
    input_.set_surface(nullptr);
    frame_callback_.reset();
    buffers_.reset();
    fractional_.reset();
    viewport_.reset();
    toplevel_.reset();
    xdg_surface_.reset();
    surface_.reset();
    wl_display_flush(connection_.display());
}

void WaylandWindow::show()
{
    if (shown_)
        return;
    shown_ = true;
    // The first commit without a buffer asks for the first configure, which maps the window.
    wl_surface_commit(surface_.get());
    while (!configured_ && wl_display_roundtrip(connection_.display()) >= 0) {
    }
    all_changed();
    commit();
}

void WaylandWindow::hide()
{
    if (!shown_)
        return;
    shown_ = false;
    configured_ = false;
    frame_callback_.reset();
    wl_surface_attach(surface_.get(), nullptr, 0, 0);
    wl_surface_commit(surface_.get());
    wl_display_flush(connection_.display());
}

void WaylandWindow::minimise()
{
    xdg_toplevel_set_minimized(toplevel_.get());
}

void WaylandWindow::set_alpha(std::uint8_t alpha)
{
    if (alpha == alpha_)
        return;
    alpha_ = alpha;
    all_changed();
    commit();
}

void WaylandWindow::set_colour_key(bool enabled, std::uint32_t colour)
{
    const std::optional<std::uint32_t> key = enabled ? std::optional(colour & 0xFFFFFF) : std::nullopt;
    if (key == colour_key_)
        return;
    colour_key_ = key;
    all_changed();
    commit();
}

void WaylandWindow::set_shape(std::span<const Rect> rectangles, int scale)
{
    shape_rectangles_.assign(rectangles.begin(), rectangles.end());
    shape_scale_ = scale == frame_scale_ ? scale : 1;
    shape_ = shape_mask(width_ * shape_scale_, height_ * shape_scale_, rectangles);
    shaped_ = true;
    update_input_region();
    all_changed();
    commit();
}

void WaylandWindow::clear_shape()
{
    if (!shaped_)
        return;
    shape_rectangles_.clear();
    shape_.clear();
    shaped_ = false;
    update_input_region();
    all_changed();
    commit();
}

void WaylandWindow::update_input_region()
{
    if (!shaped_) {
        wl_surface_set_input_region(surface_.get(), nullptr);
        return;
    }
    // Surface coordinates are skin pixels: a shape at twice the size gives whole skin pixels.
    wl_region* region = wl_compositor_create_region(connection_.compositor());
    for (const Rect& r : shape_rectangles_)
        wl_region_add(region, r.left / shape_scale_, r.top / shape_scale_, (r.right + shape_scale_ - 1) / shape_scale_ - r.left / shape_scale_,
                      (r.bottom + shape_scale_ - 1) / shape_scale_ - r.top / shape_scale_);
    wl_surface_set_input_region(surface_.get(), region);
    wl_region_destroy(region);
}

void WaylandWindow::begin_move(std::int32_t, std::int32_t)
{
    if (!connection_.seat() || input_.left_press_serial() == 0)
        return;
    xdg_toplevel_move(toplevel_.get(), connection_.seat(), input_.left_press_serial());
    input_.forget_buttons(); // the compositor keeps the release
    wl_display_flush(connection_.display());
}

void WaylandWindow::present(const BackBuffer& frame)
{
    if (!frame_ || frame_->width() != frame.width() || frame_->height() != frame.height() || frame_->scale() != frame.scale()) {
        frame_ = std::make_unique<BackBuffer>(frame.width(), frame.height(), frame.scale());
        std::ranges::copy(frame.pixels(), frame_->pixels().begin());
        set_scale(output_scale_);
        all_changed();
        commit();
        return;
    }
    // Only the rows that differ from the last frame change (most frames of a fade differ
    // whole; a still panel's frames not at all).
    const auto width = static_cast<std::size_t>(frame.pixel_width());
    int first = -1;
    int last = -1;
    for (int y = 0; y < frame.pixel_height(); ++y) {
        const auto row = frame.pixels().subspan(y * width, width);
        const auto kept = frame_->pixels().subspan(y * width, width);
        if (!std::ranges::equal(row, kept)) {
            std::ranges::copy(row, kept.begin());
            first = first < 0 ? y : first;
            last = y;
        }
    }
    if (first >= 0)
        changed(Rect{0, first / frame.scale(), frame.width(), last / frame.scale() + 1});
    commit();
}

void WaylandWindow::present_parts(const BackBuffer& frame, std::span<const Rect> parts)
{
    if (!frame_ || frame_->width() != frame.width() || frame_->height() != frame.height() || frame_->scale() != frame.scale()) {
        present(frame);
        return;
    }
    const auto width = static_cast<std::size_t>(frame.pixel_width());
    const int scale = frame.scale();
    for (const Rect& part : parts) {
        const Rect clipped{std::clamp(part.left, 0, frame.width()), std::clamp(part.top, 0, frame.height()),
                           std::clamp(part.right, 0, frame.width()), std::clamp(part.bottom, 0, frame.height())};
        if (clipped.width() <= 0 || clipped.height() <= 0)
            continue;
        for (int y = clipped.top * scale; y < clipped.bottom * scale; ++y) {
            const auto row = frame.pixels().subspan(y * width + static_cast<std::size_t>(clipped.left * scale),
                                                    static_cast<std::size_t>(clipped.width() * scale));
            std::ranges::copy(row, frame_->pixels().begin() + static_cast<std::ptrdiff_t>(y * width + static_cast<std::size_t>(clipped.left * scale)));
        }
        changed(clipped);
    }
    commit();
}

void WaylandWindow::changed(const Rect& area)
{
    if (buffers_)
        buffers_->mark_changed(area);
    if (all_damaged_)
        return;
    damage_.push_back(area);
    if (damage_.size() > max_damage_areas) {
        damage_.clear();
        all_damaged_ = true;
    }
}

void WaylandWindow::all_changed()
{
    if (buffers_)
        buffers_->mark_all_changed();
    damage_.clear();
    all_damaged_ = true;
}

void WaylandWindow::commit()
{
    if (!shown_ || !configured_ || frame_callback_ || !frame_ || !buffers_ || (!all_damaged_ && damage_.empty()))
        return;
    ShmBuffers::Buffer* buffer = buffers_->free_buffer();
    if (!buffer)
        return; // committed when one is released
    const WindowLook look{.shape = shape_, .shape_scale = shape_scale_, .colour_key = colour_key_, .alpha = alpha_};
    if (buffer->all_stale) {
        compose_window_pixels(*frame_, look, Rect{0, 0, width_, height_}, scale_, buffer->pixels, buffers_->width());
    } else {
        for (const Rect& area : buffer->stale)
            compose_window_pixels(*frame_, look, area, scale_, buffer->pixels, buffers_->width());
    }
    buffer->stale.clear();
    buffer->all_stale = false;

    wl_surface_attach(surface_.get(), buffer->buffer.get(), 0, 0);
    if (all_damaged_) {
        wl_surface_damage_buffer(surface_.get(), 0, 0, std::numeric_limits<std::int32_t>::max(),
                                 std::numeric_limits<std::int32_t>::max());
    } else {
        for (const Rect& area : damage_)
            wl_surface_damage_buffer(surface_.get(), area.left * scale_, area.top * scale_, area.width() * scale_,
                                     area.height() * scale_);
    }
    const std::uint64_t now = TickSchedule::steady_now_ms();
    if (now - last_commit_ms_ < paced_within_ms) {
        frame_callback_.reset(wl_surface_frame(surface_.get()));
        static constexpr wl_callback_listener frame_listener{.done = on_frame_done};
        wl_callback_add_listener(frame_callback_.get(), &frame_listener, this);
    }
    last_commit_ms_ = now;
    wl_surface_commit(surface_.get());
    wl_display_flush(connection_.display());
    buffer->busy = true;
    damage_.clear();
    all_damaged_ = false;
}

void WaylandWindow::set_scale(int scale)
{
    output_scale_ = std::clamp(scale, 1, max_scale);
    scale = frame_ && frame_->scale() == 2 ? 2 : output_scale_;
    if (buffers_ && scale == scale_)
        return;
    scale_ = scale;
    buffers_ = std::make_unique<ShmBuffers>(*connection_.shm(), width_ * scale, height_ * scale, [this] { commit(); });
    if (viewport_)
        wp_viewport_set_destination(viewport_.get(), width_, height_);
    else
        wl_surface_set_buffer_scale(surface_.get(), scale);
    all_changed();
    commit();
}

void WaylandWindow::on_configure(void* self, xdg_surface* surface, std::uint32_t serial)
{
    auto& window = *static_cast<WaylandWindow*>(self);
    xdg_surface_ack_configure(surface, serial);
    window.configured_ = true;
    window.commit();
}

void WaylandWindow::on_close(void* self, xdg_toplevel*)
{
    static_cast<WaylandWindow*>(self)->events_.push(Event{.kind = EventKind::close_request});
}

void WaylandWindow::on_frame_done(void* self, wl_callback*, std::uint32_t)
{
    auto& window = *static_cast<WaylandWindow*>(self);
    window.frame_callback_.reset();
    window.commit();
}

void WaylandWindow::on_surface_enter(void* self, wl_surface*, wl_output* output)
{
    auto& window = *static_cast<WaylandWindow*>(self);
    if (!window.fixed_scale_ && !window.fractional_)
        window.set_scale(window.connection_.output_scale(output));
}

void WaylandWindow::on_preferred_scale(void* self, wp_fractional_scale_v1*, std::uint32_t scale_120)
{
    // Drawn at the next whole scale, which the viewport shrinks to the surface's size.
    static_cast<WaylandWindow*>(self)->set_scale(static_cast<int>((scale_120 + 119) / 120));
}
