// SPDX-License-Identifier: GPL-3.0-or-later
// SdlWindow: the main window on SDL2 over X11: borderless, with the program's own icon and
// arrow cursor. Layered (whole-window alpha, colour key as a window shape) only where a
// compositing manager runs or the server is Xwayland. A window of a 32-bit ARGB visual
// (X11Desktop::argb_visual) also carries the shape, the colour key and the window alpha in
// its pixels (compose_window_pixels), so they show even where the compositor ignores window
// shapes and opacity; it presents whole frames. Moves go through the window manager where an EWMH manager runs;
// otherwise the window follows the pointer until the left button is released, fed by the
// SdlEventSource (drag_to / end_drag), which delivers the window's events while it lives.
// On high-density screens (choose_window_scale) the window is `scale()` times the skin's
// size: frames are shown with every pixel repeated, shapes are scaled with them and screen
// positions grow around the centre; the event source divides pointer positions by the scale,
// so the player sees skin pixels only. UI thread only.
#pragma once

#include "platform/sdl/x11_desktop.h"
#include "platform/sdl/x11_part_upload.h"
#include "platform/window.h"

#include <SDL.h>

#include <memory>
#include <optional>
#include <vector>

class SdlEventSource;

class SdlWindow final : public Window {
public:
    // Creates the window hidden and attaches it to `events`, which must outlive it.
    // Throws SkinError when SDL cannot create it.
    SdlWindow(const WindowSpec& spec, SdlEventSource& events);
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    void show() override;
    void hide() override;
    void minimise() override;
    bool layered() const override { return layered_; }
    void set_alpha(std::uint8_t alpha) override;
    void set_colour_key(bool enabled, std::uint32_t colour) override;
    void set_shape(std::span<const Rect> rectangles, int scale) override;
    void clear_shape() override;
    void begin_move(std::int32_t x, std::int32_t y) override;
    void present(const BackBuffer& frame) override;
    // Uploads and shows only the parts (on X11 without waiting for the server: X11PartUpload;
    // elsewhere SDL_UpdateWindowSurfaceRects); falls back to present when the whole frame is due.
    void present_parts(const BackBuffer& frame, std::span<const Rect> parts) override;
    Rect screen_rect() const override;
    int frame_scale() const override { return scale_; }

    std::uint32_t id() const { return SDL_GetWindowID(window_); }
    // Window pixels per skin pixel, each way: 1 or 2.
    int scale() const { return scale_; }
    // True while the program itself moves the window with the pointer.
    bool dragging() const { return drag_.has_value(); }
    // The server lost the window's content (it was covered, unmapped or resized): the last
    // frame is uploaded again now, or by the next present when none was shown yet.
    void invalidate();
    // The pointer is at client (x, y) during a drag: the window follows it.
    void drag_to(std::int32_t x, std::int32_t y);
    void end_drag() { drag_.reset(); }

private:
    struct Drag {
        std::int32_t grab_x;
        std::int32_t grab_y;
        std::int32_t window_x;
        std::int32_t window_y;
    };

    // Copies `frame` into `surface` with each pixel repeated scale() / frame.scale() times
    // each way; true when the surface changed.
    bool copy_scaled(const BackBuffer& frame, SDL_Surface& surface);
    // Reshapes a colour-keyed window when `frame` differs from the one its shape came from.
    void update_key_shape(const BackBuffer& frame);
    // Shapes the X window (pixels of `scale` per skin pixel, scaled here); an ARGB window's
    // mask stays.
    void apply_x_shape(std::span<const Rect> rectangles, int scale);
    // The last frame again, in an ARGB window whose look changed.
    void redraw_argb();

    SdlEventSource& events_;
    SDL_Window* window_ = nullptr;
    SDL_Cursor* cursor_ = nullptr;
    std::optional<X11Desktop> desktop_;
    std::unique_ptr<X11PartUpload> part_upload_; // null: present_parts goes through SDL
    bool layered_ = false;
    bool stale_ = true; // the window surface differs from what the server shows
    bool presented_ = false; // the window surface holds a frame
    std::vector<SDL_Rect> rects_; // present_parts' rectangles, kept to reuse the storage
    std::optional<std::uint32_t> colour_key_;
    std::vector<std::uint32_t> keyed_frame_; // the frame the current key shape was built from
    std::optional<Drag> drag_;
    int scale_ = 1;
    std::vector<std::uint32_t> scaled_row_; // one source row, each pixel repeated
    bool argb_ = false;                     // per-pixel alpha shows
    std::vector<std::uint8_t> shape_mask_;  // an ARGB window's shape; empty: none
    int shape_scale_ = 1;                   // shape_mask_'s pixels per skin pixel
    std::uint8_t alpha_ = 255;              // an ARGB window's alpha
    std::unique_ptr<BackBuffer> last_frame_; // what an ARGB window shows
};
