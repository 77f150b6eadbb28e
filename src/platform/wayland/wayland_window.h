// SPDX-License-Identifier: GPL-3.0-or-later
// WaylandWindow: the main window as an xdg_toplevel (app id org.vorlunde.vorlunde, the skin's
// title) on a wl_surface whose pixels are premultiplied ARGB8888 in two reused wl_shm buffers
// (ShmBuffers). Always layered: the window alpha and the colour key go into the pixels, and
// the shape makes the pixels outside it transparent and is also the input region, so clicks
// there reach what lies behind, on every compositor alike. present_parts refills and damages
// only the changed parts. Frames in quick succession (fades, glows) are paced by frame
// callbacks: a new frame is committed when the compositor says the last one was used, and
// presents in between are merged; a frame after a pause is committed at once and asks for
// no callback, so a still panel with a moving knob wakes only for the buffer's release. The
// surface is the skin's size in surface coordinates; its buffers are `scale()` times that (the output's integer scale through
// set_buffer_scale, or the preferred fractional scale rounded up and shrunk back by a
// viewport; VORLUNDE_SCALE 1 or 2 fixes it), so the player sees skin pixels only; frames
// drawn at scale 2 keep the buffers at 2, which the compositor scales to the output. Wayland
// gives clients no position: screen_rect is at 0, 0, and moves are the compositor's
// (xdg_toplevel.move with the left press's serial). UI thread only.
#pragma once

#include "platform/wayland/shm_buffers.h"
#include "platform/wayland/wayland_object.h"
#include "platform/window.h"

#include <fractional-scale-v1-client-protocol.h>
#include <viewporter-client-protocol.h>
#include <xdg-shell-client-protocol.h>

#include <memory>
#include <optional>
#include <vector>

class WaylandConnection;
class WaylandEventSource;
class WaylandInput;

class WaylandWindow final : public Window {
public:
    // Creates the window, not yet mapped; connection, events and input must outlive it.
    WaylandWindow(const WindowSpec& spec, WaylandConnection& connection, WaylandEventSource& events,
                  WaylandInput& input);
    ~WaylandWindow() override;
    WaylandWindow(const WaylandWindow&) = delete;
    WaylandWindow& operator=(const WaylandWindow&) = delete;

    void show() override;
    void hide() override;
    void minimise() override;
    bool layered() const override { return true; }
    void set_alpha(std::uint8_t alpha) override;
    void set_colour_key(bool enabled, std::uint32_t colour) override;
    void set_shape(std::span<const Rect> rectangles, int scale) override;
    void clear_shape() override;
    void begin_move(std::int32_t x, std::int32_t y) override;
    void present(const BackBuffer& frame) override;
    void present_parts(const BackBuffer& frame, std::span<const Rect> parts) override;
    Rect screen_rect() const override { return Rect{0, 0, width_, height_}; }
    // 2 when VORLUNDE_SCALE is 2, or, without it, when an output has a scale of 2 or more.
    int frame_scale() const override { return frame_scale_; }

    // Buffer pixels per surface (skin) pixel, each way.
    int scale() const { return scale_; }

private:
    static void on_configure(void* self, xdg_surface* surface, std::uint32_t serial);
    static void on_toplevel_configure(void*, xdg_toplevel*, std::int32_t, std::int32_t, wl_array*) {}
    static void on_close(void* self, xdg_toplevel* toplevel);
    static void on_frame_done(void* self, wl_callback* callback, std::uint32_t time);
    static void on_surface_enter(void* self, wl_surface* surface, wl_output* output);
    static void on_surface_leave(void*, wl_surface*, wl_output*) {}
    static void on_preferred_scale(void* self, wp_fractional_scale_v1* fractional, std::uint32_t scale_120);

    // Everything changed: the look or the scale.
    void all_changed();
    void changed(const Rect& area);
    // Commits the newest frame when the compositor is ready for one.
    void commit();
    // Buffers of the output's scale `scale`, or of the frames' scale 2; the whole picture refills.
    void set_scale(int scale);
    void update_input_region();

    WaylandConnection& connection_;
    WaylandEventSource& events_;
    WaylandInput& input_;
    std::int32_t width_;
    std::int32_t height_;
    WaylandObject<wl_surface> surface_;
    WaylandObject<xdg_surface> xdg_surface_;
    WaylandObject<xdg_toplevel> toplevel_;
    WaylandObject<wp_viewport> viewport_;
    WaylandObject<wp_fractional_scale_v1> fractional_;
    WaylandObject<wl_callback> frame_callback_;
    std::uint64_t last_commit_ms_ = 0; // steady clock
    bool shown_ = false;
    bool configured_ = false;
    std::optional<int> fixed_scale_; // VORLUNDE_SCALE
    int frame_scale_ = 1;
    int output_scale_ = 1; // what the output asks for
    int scale_ = 1;        // the buffers'
    std::unique_ptr<ShmBuffers> buffers_;
    std::unique_ptr<BackBuffer> frame_; // the newest frame presented
    std::vector<Rect> damage_;          // changed since the last commit, skin pixels
    bool all_damaged_ = false;
    std::vector<std::uint8_t> shape_; // empty: no shape
    int shape_scale_ = 1;             // shape_'s and shape_rectangles_' pixels per skin pixel
    std::vector<Rect> shape_rectangles_;
    bool shaped_ = false;
    std::optional<std::uint32_t> colour_key_;
    std::uint8_t alpha_ = 255;
};
