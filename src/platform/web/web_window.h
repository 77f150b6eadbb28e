// SPDX-License-Identifier: GPL-3.0-or-later
// WebWindow: the main window as a canvas in the page (made by web/player.js), shown at the
// skin's size in CSS pixels. Its backing store is the skin's size, or twice it when the
// screen has two or more device pixels per CSS pixel as the window is made (frame_scale() 2):
// frames at scale 1 are then put with each pixel doubled. Either way every pixel stays crisp
// (image-rendering: pixelated). Pixels outside the shape, and while the colour key is on
// pixels of the key colour, are transparent; the whole-window alpha is the canvas's opacity.
// Presenting converts the changed parts to RGBA and puts them (putImageData), nothing else.
// The window cannot move, minimise or go to a tray: those do nothing. The frame last presented
// must stay alive while the window does (it is shown again when the shape or the colour key
// changes). Main thread only.
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
    void set_shape(std::span<const Rect> rectangles, int scale) override;
    void clear_shape() override;
    void begin_move(std::int32_t, std::int32_t) override {}
    void present(const BackBuffer& frame) override;
    void present_parts(const BackBuffer& frame, std::span<const Rect> parts) override;
    Rect screen_rect() const override { return Rect{0, 0, width_, height_}; }
    // Canvas pixels per skin pixel each way: 2 on a dense screen, else 1.
    int frame_scale() const override { return scale_; }

private:
    // Puts `part` (skin pixels) of `frame` on the canvas.
    void put(const BackBuffer& frame, const Rect& part);
    // Whether the canvas pixel at (x, y) shows: inside the shape and not of the key colour.
    bool visible(int x, int y, std::uint32_t pixel) const;

    std::int32_t width_;  // skin pixels
    std::int32_t height_;
    int scale_;
    std::optional<std::uint32_t> colour_key_;
    std::vector<std::uint8_t> inside_shape_; // one byte a canvas pixel; empty: rectangular
    std::vector<std::uint8_t> rgba_;         // the part being put
    const BackBuffer* last_frame_ = nullptr; // shown again whole when the shape changes
};
