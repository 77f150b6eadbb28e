// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/headless_window.h"

#include <algorithm>
#include <string>

HeadlessWindow::HeadlessWindow(const WindowSpec& spec, bool layered, CallLog& log, HeadlessWindow** tracker)
    : spec_(spec), layered_(layered), log_(log), tracker_(tracker)
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

void HeadlessWindow::set_shape(std::span<const Rect> rectangles)
{
    log_.push_back("window shape " + std::to_string(rectangles.size()));
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
    frame_.assign(frame.pixels().begin(), frame.pixels().end());
    parts_.clear();
    ++present_count_;
}

void HeadlessWindow::present_parts(const BackBuffer& frame, std::span<const Rect> parts)
{
    if (frame_.size() != frame.pixels().size())
        frame_.assign(frame.pixels().size(), 0);
    const auto width = static_cast<std::size_t>(frame.width());
    for (const Rect& part : parts) {
        for (std::int32_t y = std::max(part.top, 0); y < std::min(part.bottom, frame.height()); ++y) {
            const std::size_t row = static_cast<std::size_t>(y) * width;
            const auto left = static_cast<std::size_t>(std::clamp(part.left, 0, frame.width()));
            const auto right = static_cast<std::size_t>(std::clamp(part.right, 0, frame.width()));
            if (left < right)
                std::copy(frame.pixels().begin() + static_cast<std::ptrdiff_t>(row + left),
                          frame.pixels().begin() + static_cast<std::ptrdiff_t>(row + right),
                          frame_.begin() + static_cast<std::ptrdiff_t>(row + left));
        }
    }
    parts_.assign(parts.begin(), parts.end());
    ++present_count_;
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
