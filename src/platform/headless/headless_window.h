// SPDX-License-Identifier: GPL-3.0-or-later
// HeadlessWindow: a Window in memory. It records every call in the platform's CallLog
// ("window show", "window destroy" when the object goes away, ...), keeps the picture the
// presents made readable (at its frame scale: a frame at scale 1 in a window at 2 is shown
// with every pixel doubled, as a high-density desktop shows it), and reports the layered
// capability and frame scale it was created with. Not thread-safe.
#pragma once

#include "platform/headless/call_log.h"
#include "platform/window.h"

#include <optional>
#include <vector>

class HeadlessWindow final : public Window {
public:
    // While the window lives, `*tracker` (when given) points at it; afterwards it is nullptr.
    HeadlessWindow(const WindowSpec& spec, bool layered, CallLog& log, HeadlessWindow** tracker = nullptr, int frame_scale = 1);
    ~HeadlessWindow() override;

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
    // Copies only the parts into the kept frame (a whole present must have come first).
    void present_parts(const BackBuffer& frame, std::span<const Rect> parts) override;
    Rect screen_rect() const override;
    int frame_scale() const override { return frame_scale_; }

    const WindowSpec& spec() const { return spec_; }
    bool visible() const { return visible_; }
    std::uint8_t alpha() const { return alpha_; }
    // The picture the presents made, frame_scale() times the skin's width a row (empty
    // before the first present).
    const std::vector<std::uint32_t>& frame() const { return frame_; }
    int present_count() const { return present_count_; }
    // The rectangles of the last present_parts (empty after a whole present).
    const std::vector<Rect>& presented_parts() const { return parts_; }
    // Moves the window on the simulated screen.
    void move_to(std::int32_t x, std::int32_t y);

private:
    WindowSpec spec_;
    // Copies `part` (skin pixels) of `frame` into the picture.
    void copy_part(const BackBuffer& frame, const Rect& part);

    bool layered_;
    int frame_scale_;
    CallLog& log_;
    HeadlessWindow** tracker_;
    bool visible_ = false;
    std::uint8_t alpha_ = 255;
    std::vector<std::uint32_t> frame_;
    int present_count_ = 0;
    std::vector<Rect> parts_;
};
