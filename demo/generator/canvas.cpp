// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint32_t pack(Colour colour)
{
    const auto channel = [](double value) { return static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0, 255.0))); };
    return 0xFF000000u | channel(colour.r) << 16 | channel(colour.g) << 8 | channel(colour.b);
}

// Signed distance from (x, y) to a rounded box: negative inside.
double rounded_distance(double x, double y, double left, double top, double right, double bottom, double radius)
{
    const double half_width = (right - left) / 2, half_height = (bottom - top) / 2;
    const double qx = std::abs(x - (left + half_width)) - (half_width - radius);
    const double qy = std::abs(y - (top + half_height)) - (half_height - radius);
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

double coverage_of_distance(double distance)
{
    return std::clamp(0.5 - distance, 0.0, 1.0);
}

bool inside_polygon(const std::vector<Point>& corners, double x, double y)
{
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const Point a = corners[i], b = corners[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

} // namespace

Colour mix(Colour a, Colour b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Coverage rounded_box(double left, double top, double right, double bottom, double radius)
{
    return [=](double x, double y) { return coverage_of_distance(rounded_distance(x, y, left, top, right, bottom, radius)); };
}

Coverage rounded_box(const layout::Box& box, double radius)
{
    return rounded_box(box.left, box.top, box.right, box.bottom, radius);
}

Coverage circle(double centre_x, double centre_y, double radius)
{
    return [=](double x, double y) { return coverage_of_distance(std::hypot(x - centre_x, y - centre_y) - radius); };
}

Coverage polygon(std::vector<Point> corners)
{
    return [corners = std::move(corners)](double x, double y) {
        int hits = 0;
        for (int sy = 0; sy < 4; ++sy) {
            for (int sx = 0; sx < 4; ++sx)
                hits += inside_polygon(corners, x - 0.375 + 0.25 * sx, y - 0.375 + 0.25 * sy) ? 1 : 0;
        }
        return hits / 16.0;
    };
}

Coverage line(Point from, Point to, double width)
{
    return [=](double x, double y) {
        const double dx = to.x - from.x, dy = to.y - from.y;
        const double t = std::clamp(((x - from.x) * dx + (y - from.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        return coverage_of_distance(std::hypot(x - (from.x + t * dx), y - (from.y + t * dy)) - width / 2);
    };
}

Paint solid(Colour colour)
{
    return [colour](double, double) { return colour; };
}

Paint vertical(Colour top_colour, Colour bottom_colour, double top, double bottom)
{
    return [=](double, double y) { return mix(top_colour, bottom_colour, std::clamp((y - top) / (bottom - top), 0.0, 1.0)); };
}

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), pack(fill))
{
}

Colour Canvas::at(int x, int y) const
{
    return Colour::hex(pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)]);
}

void Canvas::blend(int x, int y, Colour colour, double alpha)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || alpha <= 0.0)
        return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] =
        pack(mix(at(x, y), colour, std::min(alpha, 1.0)));
}

void Canvas::fill(const layout::Box& bounds, const Coverage& shape, const Paint& paint, double alpha)
{
    for (int y = std::max(bounds.top, 0); y < std::min(bounds.bottom, height_); ++y) {
        for (int x = std::max(bounds.left, 0); x < std::min(bounds.right, width_); ++x) {
            const double cx = x + 0.5, cy = y + 0.5;
            const double covered = shape(cx, cy);
            if (covered > 0.0)
                blend(x, y, paint(cx, cy), covered * alpha);
        }
    }
}

void Canvas::shadow(const layout::Box& box, double radius, double spread, Colour colour, double alpha)
{
    const auto reach = static_cast<int>(std::ceil(spread));
    const layout::Box bounds{box.left - reach, box.top - reach, box.right + reach, box.bottom + reach};
    fill(bounds,
         [=](double x, double y) {
             const double distance = rounded_distance(x, y, box.left, box.top, box.right, box.bottom, radius);
             const double t = std::clamp(1.0 - distance / spread, 0.0, 1.0);
             return distance < 0 ? 1.0 : t * t;
         },
         solid(colour), alpha);
}

Canvas Canvas::crop(const layout::Box& box) const
{
    Canvas out(box.width(), box.height(), Colour{});
    for (int y = 0; y < box.height(); ++y) {
        for (int x = 0; x < box.width(); ++x)
            out.pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(box.width()) + static_cast<std::size_t>(x)] =
                pixels_[static_cast<std::size_t>(y + box.top) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x + box.left)];
    }
    return out;
}
