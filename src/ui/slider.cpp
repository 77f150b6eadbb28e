// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/slider.h"

#include "ui/key_press.h"

#include <algorithm>
#include <cmath>

Slider::Slider(Orientation orientation, Type type, Rect rect, std::uint16_t identifier, SkinBitmap knob)
    : orientation_(orientation), type_(type), rect_(rect), identifier_(identifier), knob_(std::move(knob)),
      range_(orientation_ == Orientation::horizontal ? rect_.width() - knob_.width() : rect_.height() - knob_.height())
{
}

void Slider::place_knob(int x, int y)
{
    // Horizontal knobs centre on the pointer; vertical ones end at it.
    const std::int32_t raw = orientation_ == Orientation::horizontal ? x - knob_.width() / 2 - rect_.left
                                                                     : y - knob_.height() - rect_.top;
    position_ = std::max(0, std::min(raw, range_));
}

bool Slider::press(bool down, int x, int y)
{
    if (is_key_press(x)) {
        const bool was_dragging = dragging_;
        dragging_ = down;
        return was_dragging;
    }
    if (!rect_.contains(x, y))
        return false;
    dragging_ = down;
    place_knob(x, y);
    return true;
}

bool Slider::move(int x, int y)
{
    if (!dragging_ || !rect_.contains(x, y))
        return false;
    place_knob(x, y);
    return type_ == Type::live;
}

float Slider::percentage() const
{
    if (range_ <= 0)
        return 0.0f;
    return static_cast<float>(position_) / static_cast<float>(range_) * 100.0f;
}

std::optional<std::chrono::milliseconds> Slider::time_to_next_pixel(float fraction, std::int64_t length_ms) const
{
    if (range_ <= 0 || length_ms <= 0 || fraction >= 1.0f)
        return std::nullopt;
    // show_fraction rounds: the knob leaves pixel p when fraction × range reaches p + 0.5.
    const double travelled = std::max(0.0, static_cast<double>(fraction)) * range_;
    const double next_edge = std::floor(travelled + 0.5) + 0.5;
    const double ms = (next_edge - travelled) / range_ * static_cast<double>(length_ms);
    return std::chrono::milliseconds(static_cast<std::int64_t>(std::ceil(ms)));
}

void Slider::show_fraction(float fraction)
{
    if (dragging_ || range_ <= 0)
        return;
    const float clamped = std::clamp(fraction, 0.0f, 1.0f);
    position_ = static_cast<std::int32_t>(std::lround(clamped * static_cast<float>(range_)));
}
