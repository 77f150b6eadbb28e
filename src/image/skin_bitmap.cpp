// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/skin_bitmap.h"

#include <cassert>

SkinBitmap::SkinBitmap(std::uint16_t width, std::uint16_t height, std::vector<std::uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels))
{
    assert(pixels_.size() == std::size_t{width_} * height_);
    if (pixels_.empty())
        width_ = height_ = 0;
}

void SkinBitmap::set_twice_size(std::vector<std::uint32_t> pixels)
{
    if (pixels.size() == std::size_t{4} * pixels_.size())
        twice_size_ = std::move(pixels);
    else
        twice_size_.clear();
}
