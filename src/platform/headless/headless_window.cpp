#include "platform/headless/headless_window.h"

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
