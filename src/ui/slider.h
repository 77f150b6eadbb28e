// SPDX-License-Identifier: GPL-3.0-or-later
// Slider: a draggable value of a page. The knob travels `range` pixels along the track
// rectangle (the track's length minus the knob's); `position` is the knob's offset from the
// track start in pixels, 0..range. The page posts (slider_changed, identifier) when a live slider
// moves while dragged and when any dragged slider is released, and turns the position into
// a percentage in its command reaction. Owns its knob image. UI thread only.
#pragma once

#include "base/rect.h"
#include "image/skin_bitmap.h"

#include <chrono>
#include <cstdint>
#include <optional>

class Slider {
public:
    enum class Orientation : std::int32_t { horizontal = 0, vertical = 1 };
    enum class Type : std::int32_t { live = 0, on_release = 1 };
    // The identifiers a page acts on: seek the current track, scroll the track list view,
    // scroll the text browser.
    static constexpr std::uint16_t seek_identifier = 0x2001;
    static constexpr std::uint16_t list_scroll_identifier = 0x2002;
    static constexpr std::uint16_t text_scroll_identifier = 0x2003;

    // Position 0, not dragging; knob size and range from `knob`.
    Slider(Orientation orientation, Type type, Rect rect, std::uint16_t identifier, SkinBitmap knob);

    // down = true with a real point: when (x, y) is inside, starts or ends a drag there,
    // moves the knob to the point and returns true (the press is taken); outside, false.
    // A key press (key_press.h): returns whether it was dragging and stops the drag.
    bool press(bool down, int x, int y);
    // While dragging and inside: moves the knob to the point; returns true for a live
    // slider (the page posts), false otherwise.
    bool move(int x, int y);
    // position / range * 100 in single precision; 0 when the range is 0 or less.
    float percentage() const;
    // Shows `fraction` (0..1) of the travel, unless the knob is being dragged: the knob then
    // follows what it controls (the playing position, a scrolled list).
    void show_fraction(float fraction);
    // For a fraction that grows from 0 to 1 over `length_ms` at real time: how long until
    // show_fraction moves the knob by a pixel from where it shows `fraction` (rounded up to
    // whole milliseconds). nullopt when it will not move (no travel, or at the end).
    std::optional<std::chrono::milliseconds> time_to_next_pixel(float fraction, std::int64_t length_ms) const;

    std::uint16_t identifier() const { return identifier_; }
    std::int32_t position() const { return position_; }
    std::int32_t range() const { return range_; }
    Orientation orientation() const { return orientation_; }
    const Rect& rect() const { return rect_; }
    const SkinBitmap& knob() const { return knob_; }

private:
    void place_knob(int x, int y);

    Orientation orientation_;
    Type type_;
    Rect rect_;
    std::uint16_t identifier_;
    SkinBitmap knob_;
    std::int32_t range_;
    std::int32_t position_ = 0;
    bool dragging_ = false;
};
