// SPDX-License-Identifier: GPL-3.0-or-later
// WebWindow: the main window as a canvas in the page (made by web/player.js), its backing
// store at the skin's size; the page shows it at that size in CSS pixels, so high-density
// screens double it, every pixel kept crisp (image-rendering: pixelated). Pixels outside the
// shape, and while the colour key is on pixels of the key colour, are transparent; the
// whole-window alpha is the canvas's opacity. Presenting converts the changed parts to RGBA
// and puts them (putImageData), nothing else. The window cannot move, minimise or go to a
// tray: those do nothing. The frame last presented must stay alive while the window does (it
// is shown again when the shape or the colour key changes). Main thread only.
#pragma once

#include "platform/window.h"

#include <optional>
#include <vector>

class WebWindow final : public Window {
public:
    explicit WebWindow(const WindowSpec& spec);
    ~WebWindow() override;
    WebWindow(const WebWindow&) = delete;
    WebWindow& operator=(const WebWindow&) = delete;

    void show() override;
    void hide() override;
    void minimise() override {}
    bool layered() const override { return true; }
    void set_alpha(std::uint8_t alpha) override;
    void set_colour_key(bool enabled, std::uint32_t colour) override;
    // Shapes come in skin pixels (scale 1), as frame_scale() is 1.
    void set_shape(std::span<const Rect> rectangles, int scale) override;
    void clear_shape() override;
    void begin_move(std::int32_t, std::int32_t) override {}
    void present(const BackBuffer& frame) override;
    void present_parts(const BackBuffer& frame, std::span<const Rect> parts) override;
    Rect screen_rect() const override { return Rect{0, 0, width_, height_}; }
    // The canvas is the skin's size; the page's CSS pixels double it on dense screens.
    int frame_scale() const override { return 1; }

private:
    // Puts `part` of `frame` on the canvas.
    void put(const BackBuffer& frame, const Rect& part);
    // Whether the pixel at (x, y) shows: inside the shape and not of the key colour.
    bool visible(int x, int y, std::uint32_t pixel) const;

    std::int32_t width_;
    std::int32_t height_;
    std::optional<std::uint32_t> colour_key_;
    std::vector<std::uint8_t> inside_shape_; // one byte a pixel; empty: rectangular
    std::vector<std::uint8_t> rgba_;         // the part being put
    const BackBuffer* last_frame_ = nullptr; // shown again whole when the shape changes
};
