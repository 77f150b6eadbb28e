// SPDX-License-Identifier: GPL-3.0-or-later
// Canvas: an RGB picture the demo's art is painted on, with anti-aliased shapes. Shapes are
// given by a coverage function (0 outside, 1 inside, between on the edge) and painted with a
// colour function, both over pixel centres. Pixels are 0xFFRRGGBB, rows top first, as the
// player's bitmaps hold them. A value type.
#pragma once

#include "layout.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

struct Colour {
    double r = 0, g = 0, b = 0; // 0–255

    static constexpr Colour hex(std::uint32_t rgb)
    {
        return {static_cast<double>(rgb >> 16 & 0xFF), static_cast<double>(rgb >> 8 & 0xFF), static_cast<double>(rgb & 0xFF)};
    }
};

// `a` blended towards `b` by `t` (0 gives a, 1 gives b).
Colour mix(Colour a, Colour b, double t);

struct Point {
    double x, y;
};

using Coverage = std::function<double(double x, double y)>;
using Paint = std::function<Colour(double x, double y)>;

// Coverage of common shapes, anti-aliased over about one pixel.
Coverage rounded_box(double left, double top, double right, double bottom, double radius);
Coverage rounded_box(const layout::Box& box, double radius);
Coverage circle(double centre_x, double centre_y, double radius);
Coverage polygon(std::vector<Point> corners); // 4 × 4 samples a pixel, even–odd rule
// A straight stroke of the given width between two points, with round ends.
Coverage line(Point from, Point to, double width);

// Paints: one colour, or a vertical gradient between two rows.
Paint solid(Colour colour);
Paint vertical(Colour top_colour, Colour bottom_colour, double top, double bottom);

class Canvas {
public:
    Canvas(int width, int height, Colour fill);

    int width() const { return width_; }
    int height() const { return height_; }
    std::span<const std::uint32_t> pixels() const { return pixels_; }
    Colour at(int x, int y) const;

    // Blends `colour` over the pixel with opacity `alpha` (0–1); pixels outside are ignored.
    void blend(int x, int y, Colour colour, double alpha);

    // Paints the shape within `bounds` (pixels outside the canvas are skipped).
    void fill(const layout::Box& bounds, const Coverage& shape, const Paint& paint, double alpha = 1.0);

    // A soft shadow under a rounded box: `spread` pixels of falling opacity.
    void shadow(const layout::Box& box, double radius, double spread, Colour colour, double alpha);

    // The part of the picture inside `box`.
    Canvas crop(const layout::Box& box) const;

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
};
