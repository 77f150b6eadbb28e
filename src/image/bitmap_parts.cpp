// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/bitmap_parts.h"

#include <algorithm>

namespace {

bool holds(const Rect& outer, const Rect& inner)
{
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right && outer.bottom >= inner.bottom;
}

// The pixels of `area` (skin pixels) scaled by `scale` from a picture `width` skin pixels wide
// at that scale.
std::vector<std::uint32_t> cut(std::span<const std::uint32_t> picture, int width, const Rect& area, int scale)
{
    const auto row_length = static_cast<std::size_t>(area.width()) * static_cast<std::size_t>(scale);
    const auto stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(scale);
    std::vector<std::uint32_t> pixels;
    pixels.reserve(row_length * static_cast<std::size_t>(area.height()) * static_cast<std::size_t>(scale));
    for (int y = area.top * scale; y < area.bottom * scale; ++y) {
        const auto row = picture.subspan(static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(area.left) * static_cast<std::size_t>(scale), row_length);
        pixels.insert(pixels.end(), row.begin(), row.end());
    }
    return pixels;
}

} // namespace

Rect BitmapParts::clipped(const Rect& area) const
{
    const int width = whole_ ? whole_->width() : width_;
    const int height = whole_ ? whole_->height() : height_;
    return Rect{std::clamp(area.left, 0, width), std::clamp(area.top, 0, height), std::clamp(area.right, 0, width),
                std::clamp(area.bottom, 0, height)};
}

void BitmapParts::keep_only(std::span<const Rect> areas)
{
    if (!whole_)
        return;
    width_ = whole_->width();
    height_ = whole_->height();
    for (const Rect& wanted : areas) {
        const Rect area = clipped(wanted);
        if (area.width() <= 0 || area.height() <= 0 ||
            std::any_of(parts_.begin(), parts_.end(), [&](const Part& part) { return holds(part.area, area); }))
            continue;
        SkinBitmap part(static_cast<std::uint16_t>(area.width()), static_cast<std::uint16_t>(area.height()),
                        cut(whole_->pixels(), width_, area, 1));
        if (whole_->has_twice_size())
            part.set_twice_size(cut(whole_->twice_size_pixels(), width_, area, 2));
        parts_.push_back(Part{area, std::move(part)});
    }
    whole_.reset();
}

std::optional<BitmapParts::Source> BitmapParts::source_of(const Rect& area) const
{
    if (whole_)
        return Source{whole_.get(), area.left, area.top};
    for (const Part& part : parts_) {
        if (holds(part.area, area))
            return Source{&part.pixels, area.left - part.area.left, area.top - part.area.top};
    }
    return std::nullopt;
}

void BitmapParts::blit(BackBuffer& target, const Rect& area) const
{
    const Rect inside = clipped(area);
    if (inside.width() <= 0 || inside.height() <= 0)
        return;
    if (const auto source = source_of(inside))
        target.blit(*source->bitmap, inside.left, inside.top, inside.width(), inside.height(), source->x, source->y);
}

void BitmapParts::blend(BackBuffer& target, const Rect& area, float alpha) const
{
    const Rect inside = clipped(area);
    if (inside.width() <= 0 || inside.height() <= 0)
        return;
    if (const auto source = source_of(inside))
        target.blend(*source->bitmap, inside.left, inside.top, inside.width(), inside.height(), source->x, source->y, alpha, 0);
}
