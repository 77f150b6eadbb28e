// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/headless_window.h"

#include <algorithm>
#include <string>

HeadlessWindow::HeadlessWindow(const WindowSpec& spec, bool layered, CallLog& log, HeadlessWindow** tracker, int frame_scale)
    : spec_(spec), layered_(layered), frame_scale_(frame_scale == 2 ? 2 : 1), log_(log), tracker_(tracker)
{
    log_.push_back("window create");
    if (tracker_)
        *tracker_ = this;
}

HeadlessWindow::~HeadlessWindow()
{
    log_.push_back("window destroy");
    if (tracker_)
        *tracker_ = nullptr;
}

void HeadlessWindow::show()
{
    visible_ = true;
    log_.push_back("window show");
}

void HeadlessWindow::hide()
{
    visible_ = false;
    log_.push_back("window hide");
}

void HeadlessWindow::minimise()
{
    log_.push_back("window minimise");
}

void HeadlessWindow::set_alpha(std::uint8_t alpha)
{
    alpha_ = alpha;
    log_.push_back("window alpha " + std::to_string(alpha));
}

void HeadlessWindow::set_colour_key(bool enabled, std::uint32_t colour)
{
    log_.push_back(enabled ? "window colour key " + std::to_string(colour) : "window colour key off");
}

void HeadlessWindow::set_shape(std::span<const Rect> rectangles, int scale)
{
    log_.push_back("window shape " + std::to_string(rectangles.size()) + (scale == 1 ? "" : " at " + std::to_string(scale)));
}

void HeadlessWindow::clear_shape()
{
    log_.push_back("window clear shape");
}

void HeadlessWindow::begin_move(std::int32_t x, std::int32_t y)
{
    log_.push_back("window move " + std::to_string(x) + " " + std::to_string(y));
}

void HeadlessWindow::present(const BackBuffer& frame)
{
    frame_.clear();
    copy_part(frame, Rect{0, 0, frame.width(), frame.height()});
    parts_.clear();
    ++present_count_;
}

void HeadlessWindow::present_parts(const BackBuffer& frame, std::span<const Rect> parts)
{
    for (const Rect& part : parts)
        copy_part(frame, part);
    parts_.assign(parts.begin(), parts.end());
    ++present_count_;
}

void HeadlessWindow::copy_part(const BackBuffer& frame, const Rect& part)
{
    const int repeat = frame_scale_ / std::min(frame.scale(), frame_scale_);
    const auto width = static_cast<std::size_t>(frame.width()) * static_cast<std::size_t>(frame_scale_);
    frame_.resize(width * static_cast<std::size_t>(frame.height()) * static_cast<std::size_t>(frame_scale_));
    const int left = std::clamp(part.left, 0, frame.width()) * frame_scale_;
    const int right = std::clamp(part.right, 0, frame.width()) * frame_scale_;
    for (int y = std::max(part.top, 0) * frame_scale_; y < std::min(part.bottom, frame.height()) * frame_scale_; ++y) {
        const auto source = frame.pixels().subspan(static_cast<std::size_t>(y / repeat) * static_cast<std::size_t>(frame.pixel_width()));
        std::uint32_t* target = frame_.data() + static_cast<std::size_t>(y) * width;
        if (repeat == 1)
            std::copy(source.begin() + left, source.begin() + std::max(left, right), target + left);
        else
            for (int x = left; x < right; ++x)
                target[x] = source[static_cast<std::size_t>(x / repeat)];
    }
}

Rect HeadlessWindow::screen_rect() const
{
    return Rect{spec_.x, spec_.y, spec_.x + spec_.width, spec_.y + spec_.height};
}

void HeadlessWindow::move_to(std::int32_t x, std::int32_t y)
{
    spec_.x = x;
    spec_.y = y;
}
