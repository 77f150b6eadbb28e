// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web/web_window.h"

#include <emscripten.h>

#include <algorithm>

namespace {

EM_JS(void, canvas_create, (int width, int height), {
    Module.vorlundePage.createCanvas(width, height);
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

WebWindow::WebWindow(const WindowSpec& spec) : width_(spec.width), height_(spec.height)
{
    canvas_create(width_, height_);
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

void WebWindow::set_shape(std::span<const Rect> rectangles, int /*scale*/)
{
    inside_shape_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
    for (const Rect& rect : rectangles) {
        const int left = std::clamp(rect.left, 0, width_);
        const int right = std::clamp(rect.right, 0, width_);
        const int top = std::clamp(rect.top, 0, height_);
        const int bottom = std::clamp(rect.bottom, 0, height_);
        for (int y = top; y < bottom; ++y)
            std::fill_n(inside_shape_.begin() + static_cast<std::ptrdiff_t>(y) * width_ + left, std::max(0, right - left), 1);
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
    if (!inside_shape_.empty() && !inside_shape_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)])
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
    rgba_.resize(static_cast<std::size_t>(right - left) * static_cast<std::size_t>(bottom - top) * 4);
    std::uint8_t* out = rgba_.data();
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const std::uint32_t pixel = frame.pixel(x, y);
            *out++ = static_cast<std::uint8_t>(pixel >> 16);
            *out++ = static_cast<std::uint8_t>(pixel >> 8);
            *out++ = static_cast<std::uint8_t>(pixel);
            *out++ = visible(x, y, pixel) ? 255 : 0;
        }
    }
    canvas_put(rgba_.data(), left, top, right - left, bottom - top);
}
