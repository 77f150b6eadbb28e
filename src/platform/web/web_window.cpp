// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web/web_window.h"

#include <emscripten.h>

#include <algorithm>

namespace {

// 2 on a screen of two or more device pixels per CSS pixel, else 1.
EM_JS(int, screen_scale, (), {
    return window.devicePixelRatio >= 2 ? 2 : 1;
});

EM_JS(void, canvas_create, (int width, int height, int scale), {
    Module.vorlundePage.createCanvas(width, height, scale);
});

EM_JS(void, canvas_destroy, (), {
    Module.vorlundePage.destroyCanvas();
});

EM_JS(void, canvas_show, (int shown), {
    Module.vorlundePage.canvas.style.visibility = shown ? 'visible' : 'hidden';
});

EM_JS(void, canvas_opacity, (int alpha), {
    Module.vorlundePage.canvas.style.opacity = String(alpha / 255);
});

EM_JS(void, canvas_put, (const std::uint8_t* rgba, int x, int y, int width, int height), {
    const bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    Module.vorlundePage.context.putImageData(new ImageData(bytes, width, height), x, y);
    Module.vorlundePage.framePresented();
});

} // namespace

WebWindow::WebWindow(const WindowSpec& spec) : width_(spec.width), height_(spec.height), scale_(screen_scale())
{
    canvas_create(width_, height_, scale_);
    canvas_show(0);
}

WebWindow::~WebWindow()
{
    canvas_destroy();
}

void WebWindow::show()
{
    canvas_show(1);
}

void WebWindow::hide()
{
    canvas_show(0);
}

void WebWindow::set_alpha(std::uint8_t alpha)
{
    canvas_opacity(alpha);
}

void WebWindow::set_colour_key(bool enabled, std::uint32_t colour)
{
    const std::optional<std::uint32_t> key = enabled ? std::optional(colour & 0xFFFFFF) : std::nullopt;
    if (key == colour_key_)
        return;
    colour_key_ = key;
    if (last_frame_)
        present(*last_frame_);
}

void WebWindow::set_shape(std::span<const Rect> rectangles, int scale)
{
    // The mask is in canvas pixels: a shape in skin pixels covers `factor` of them each way.
    const int factor = scale == scale_ ? 1 : scale_;
    const int width = width_ * scale_;
    const int height = height_ * scale_;
    const auto canvas_edge = [factor](std::int32_t edge, int size) { return std::clamp(edge, 0, size / factor) * factor; };
    inside_shape_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    for (const Rect& rect : rectangles) {
        const int left = canvas_edge(rect.left, width);
        const int right = canvas_edge(rect.right, width);
        const int top = canvas_edge(rect.top, height);
        const int bottom = canvas_edge(rect.bottom, height);
        for (int y = top; y < bottom; ++y)
            std::fill_n(inside_shape_.begin() + static_cast<std::ptrdiff_t>(y) * width + left, std::max(0, right - left), 1);
    }
    if (last_frame_)
        present(*last_frame_);
}

void WebWindow::clear_shape()
{
    inside_shape_.clear();
    if (last_frame_)
        present(*last_frame_);
}

void WebWindow::present(const BackBuffer& frame)
{
    const Rect whole{0, 0, width_, height_};
    present_parts(frame, std::span(&whole, 1));
}

void WebWindow::present_parts(const BackBuffer& frame, std::span<const Rect> parts)
{
    last_frame_ = &frame;
    for (const Rect& part : parts)
        put(frame, part);
}

bool WebWindow::visible(int x, int y, std::uint32_t pixel) const
{
    const auto canvas_width = static_cast<std::size_t>(width_) * static_cast<std::size_t>(scale_);
    if (!inside_shape_.empty() && !inside_shape_[static_cast<std::size_t>(y) * canvas_width + static_cast<std::size_t>(x)])
        return false;
    return !colour_key_ || (pixel & 0xFFFFFF) != *colour_key_;
}

void WebWindow::put(const BackBuffer& frame, const Rect& part)
{
    const int left = std::clamp(part.left, 0, std::min(width_, frame.width()));
    const int right = std::clamp(part.right, left, std::min(width_, frame.width()));
    const int top = std::clamp(part.top, 0, std::min(height_, frame.height()));
    const int bottom = std::clamp(part.bottom, top, std::min(height_, frame.height()));
    if (left == right || top == bottom)
        return;
    // Canvas pixel (x, y) shows the frame's pixel under it: its own at the canvas's scale,
    // one pixel repeated two by two for a frame at 1 on a canvas at 2.
    const int frame_scale = frame.scale();
    const int width = (right - left) * scale_;
    const int height = (bottom - top) * scale_;
    rgba_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    std::uint8_t* out = rgba_.data();
    for (int y = top * scale_; y < bottom * scale_; ++y) {
        for (int x = left * scale_; x < right * scale_; ++x) {
            const std::uint32_t pixel = frame.pixel(x * frame_scale / scale_, y * frame_scale / scale_);
            *out++ = static_cast<std::uint8_t>(pixel >> 16);
            *out++ = static_cast<std::uint8_t>(pixel >> 8);
            *out++ = static_cast<std::uint8_t>(pixel);
            *out++ = visible(x, y, pixel) ? 255 : 0;
        }
    }
    canvas_put(rgba_.data(), left * scale_, top * scale_, width, height);
}
