// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/back_buffer.h"

#include "image/blend_avx2.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The part of a copy that lies inside the source and the destination's clip rectangle.
struct CopyArea {
    std::int64_t dx, dy, sx, sy, w, h;
};

// Clips one axis of a copy of `length` pixels from `source` to the destination range
// [dest_low, dest_high); false when nothing is left.
bool clip_axis(std::int64_t& dest, std::int64_t& source, std::int64_t& length, std::int64_t dest_low,
               std::int64_t dest_high, std::int64_t source_size)
{
    if (source < 0) {
        dest -= source;
        length += source;
        source = 0;
    }
    if (dest < dest_low) {
        source += dest_low - dest;
        length -= dest_low - dest;
        dest = dest_low;
    }
    length = std::min({length, dest_high - dest, source_size - source});
    return length > 0;
}

// Scales the copy and the clip rectangle by `scale` and clips the copy to both and to the
// source's `width` × `height` (buffer pixels).
bool clip_copy(CopyArea& area, const Rect& clip, int scale, std::int64_t width, std::int64_t height)
{
    area = CopyArea{area.dx * scale, area.dy * scale, area.sx * scale, area.sy * scale, area.w * scale, area.h * scale};
    return clip_axis(area.dx, area.sx, area.w, std::int64_t{clip.left} * scale, std::int64_t{clip.right} * scale, width) &&
           clip_axis(area.dy, area.sy, area.h, std::int64_t{clip.top} * scale, std::int64_t{clip.bottom} * scale, height);
}

// Two pixels as eight 16-bit channel lanes (blue, green, red, alpha, blue, ...): one
// 128-bit vector register on any current target. Rows are read four pixels (one
// register of bytes) at a time and split into two such halves.
using Lanes = std::uint16_t __attribute__((vector_size(16)));
using Bytes = std::uint8_t __attribute__((vector_size(16)));
constexpr std::int64_t step_pixels = 4;

struct LanePair {
    Lanes low, high;
};

LanePair widen(const std::uint32_t* pixels)
{
    Bytes bytes;
    std::memcpy(&bytes, pixels, sizeof bytes);
    const Bytes zero{};
    return {reinterpret_cast<Lanes>(__builtin_shufflevector(bytes, zero, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23)),
            reinterpret_cast<Lanes>(__builtin_shufflevector(bytes, zero, 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31))};
}

// Back to bytes, each lane saturated at 255.
void narrow(std::uint32_t* pixels, LanePair lanes)
{
#if defined(__SSE2__)
    const auto bytes = _mm_packus_epi16(reinterpret_cast<__m128i>(lanes.low), reinterpret_cast<__m128i>(lanes.high));
#else
    const auto saturate = [](Lanes v) { return reinterpret_cast<Bytes>(v > 255 ? Lanes{} + 255 : v); };
    const Bytes bytes = __builtin_shufflevector(saturate(lanes.low), saturate(lanes.high), 0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24,
                                                26, 28, 30);
#endif
    std::memcpy(pixels, &bytes, sizeof bytes);
}

// round(v / 255), exact for v up to 255 × 255: with w = v + 128, (w + (w >> 8)) >> 8,
// which equals (w × 257) >> 16, one high-half multiply where the target has it.
Lanes divide_by_255(Lanes v)
{
    v += 128;
#if defined(__SSE2__)
    return reinterpret_cast<Lanes>(_mm_mulhi_epu16(reinterpret_cast<__m128i>(v), _mm_set1_epi16(257)));
#else
    return (v + (v >> 8)) >> 8;
#endif
}

// A premultiplied source over the destination: s + round(d × (255 − s alpha) / 255). A
// source that is not premultiplied can overshoot 255; narrowing saturates.
Lanes source_over(Lanes s, Lanes d)
{
    const Lanes source_alpha = __builtin_shufflevector(s, s, 3, 3, 3, 3, 7, 7, 7, 7);
    return s + divide_by_255(d * (255 - source_alpha));
}

void blend_step(std::uint32_t* dest, const std::uint32_t* source, const auto& kernel)
{
    const LanePair s = widen(source);
    const LanePair d = widen(dest);
    narrow(dest, {kernel(s.low, d.low), kernel(s.high, d.high)});
}

// Applies `kernel(source, dest)` to a row, four pixels at a time; the last one to three
// pixels go through a small padded copy.
template <class Kernel>
void blend_row(std::uint32_t* dest, const std::uint32_t* source, std::int64_t count, const Kernel& kernel)
{
    std::int64_t x = 0;
    for (; x + step_pixels <= count; x += step_pixels)
        blend_step(dest + x, source + x, kernel);
    if (x < count) {
        std::uint32_t source_tail[step_pixels] = {};
        std::uint32_t dest_tail[step_pixels] = {};
        const auto bytes = static_cast<std::size_t>(count - x) * sizeof(std::uint32_t);
        std::memcpy(source_tail, source + x, bytes);
        std::memcpy(dest_tail, dest + x, bytes);
        blend_step(dest_tail, source_tail, kernel);
        std::memcpy(dest + x, dest_tail, bytes);
    }
}

} // namespace

BackBuffer::BackBuffer(int width, int height, int scale)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), scale_(scale == 2 ? 2 : 1),
      pixels_(static_cast<std::size_t>(pixel_width()) * static_cast<std::size_t>(pixel_height()), 0xFF000000u),
      canvas_(scale_ == 1 ? 0 : static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)),
      clip_{0, 0, width_, height_}
{
}

void BackBuffer::set_scale(int scale)
{
    if ((scale == 2 ? 2 : 1) == scale_)
        return;
    BackBuffer rescaled(width_, height_, scale);
    const auto old_width = static_cast<std::size_t>(pixel_width());
    for (int y = 0; y < rescaled.pixel_height(); ++y)
        for (int x = 0; x < rescaled.pixel_width(); ++x)
            rescaled.pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(rescaled.pixel_width()) + static_cast<std::size_t>(x)] =
                pixels_[static_cast<std::size_t>(y * scale_ / rescaled.scale_) * old_width + static_cast<std::size_t>(x * scale_ / rescaled.scale_)];
    rescaled.clip_ = clip_;
    *this = std::move(rescaled);
}

void BackBuffer::set_clip(const Rect& clip)
{
    clip_ = Rect{std::clamp(clip.left, 0, width_), std::clamp(clip.top, 0, height_), std::clamp(clip.right, 0, width_),
                 std::clamp(clip.bottom, 0, height_)};
    clip_.right = std::max(clip_.right, clip_.left);
    clip_.bottom = std::max(clip_.bottom, clip_.top);
}

void BackBuffer::reset_clip()
{
    clip_ = Rect{0, 0, width_, height_};
}

BackBuffer::Source BackBuffer::source_of(const SkinBitmap& bitmap) const
{
    const std::int64_t width = bitmap.width();
    const std::int64_t height = bitmap.height();
    if (scale_ == 2 && bitmap.has_twice_size())
        return Source{bitmap.twice_size_pixels().data(), width * 2, width * 2, height * 2, 1};
    return Source{bitmap.pixels().data(), width, width * scale_, height * scale_, scale_};
}

const std::uint32_t* BackBuffer::doubled_row(const Source& source, std::int64_t x, std::int64_t y, std::int64_t count)
{
    row_.resize(static_cast<std::size_t>(count));
    const std::uint32_t* row = source.data + y / 2 * source.stride;
    for (std::int64_t i = 0; i < count; ++i)
        row_[static_cast<std::size_t>(i)] = row[(x + i) / 2];
    return row_.data();
}

void BackBuffer::blit(const SkinBitmap& bitmap, int dx, int dy, int w, int h, int sx, int sy)
{
    const Source source = source_of(bitmap);
    CopyArea area{dx, dy, sx, sy, w, h};
    if (!clip_copy(area, clip_, scale_, source.width, source.height))
        return;
    const std::int64_t pitch = pixel_width();
    for (std::int64_t row = 0; row < area.h; ++row) {
        std::memcpy(pixels_.data() + (area.dy + row) * pitch + area.dx, source_row(source, area.sx, area.sy + row, area.w),
                    static_cast<std::size_t>(area.w) * sizeof(std::uint32_t));
    }
}

void BackBuffer::blend(const SkinBitmap& bitmap, int dx, int dy, int w, int h, int sx, int sy, float alpha,
                       std::uint8_t alpha_format)
{
    const auto constant = static_cast<std::uint16_t>(std::isnan(alpha) ? 0.0f : std::clamp(alpha, 0.0f, 255.0f));
    if (constant == 0 || alpha_format > 1)
        return;
    if (constant == 255 && alpha_format == 0) {
        blit(bitmap, dx, dy, w, h, sx, sy);
        return;
    }
    const Source source = source_of(bitmap);
    CopyArea area{dx, dy, sx, sy, w, h};
    if (!clip_copy(area, clip_, scale_, source.width, source.height))
        return;
    static const bool avx2 = cpu_has_avx2();
    const std::int64_t pitch = pixel_width();

    const auto blend_rows = [&](const auto& kernel) {
        for (std::int64_t row = 0; row < area.h; ++row)
            blend_row(pixels_.data() + (area.dy + row) * pitch + area.dx, source_row(source, area.sx, area.sy + row, area.w), area.w,
                      kernel);
    };
    if (alpha_format == 0) {
        const auto inverse = static_cast<std::uint16_t>(255 - constant);
        blend_rows([constant, inverse](Lanes s, Lanes d) { return divide_by_255(s * constant + d * inverse); });
    } else if (avx2) {
        for (std::int64_t row = 0; row < area.h; ++row) {
            std::uint32_t* out = pixels_.data() + (area.dy + row) * pitch + area.dx;
            const std::uint32_t* in = source_row(source, area.sx, area.sy + row, area.w);
            const auto done = static_cast<std::int64_t>(blend_premultiplied_row_avx2(out, in, static_cast<std::size_t>(area.w), constant));
            blend_row(out + done, in + done, area.w - done,
                      [constant](Lanes s, Lanes d) { return source_over(constant == 255 ? s : divide_by_255(s * constant), d); });
        }
    } else if (constant == 255) { // the source as it is: s' = s
        blend_rows([](Lanes s, Lanes d) { return source_over(s, d); });
    } else {
        blend_rows([constant](Lanes s, Lanes d) { return source_over(divide_by_255(s * constant), d); });
    }
}

void BackBuffer::fill(const Rect& area, std::uint32_t rgb)
{
    const int left = std::max(area.left, clip_.left) * scale_;
    const int right = std::min(area.right, clip_.right) * scale_;
    const int top = std::max(area.top, clip_.top) * scale_;
    const int bottom = std::min(area.bottom, clip_.bottom) * scale_;
    for (int y = top; y < bottom; ++y)
        std::fill(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * pixel_width() + left,
                  pixels_.begin() + static_cast<std::ptrdiff_t>(y) * pixel_width() + std::max(left, right), 0xFF000000u | rgb);
}

void BackBuffer::open_canvas()
{
    if (scale_ == 1)
        return;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            canvas_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = pixel(x * 2, y * 2);
}

void BackBuffer::close_canvas()
{
    if (scale_ == 1)
        return;
    const auto pitch = static_cast<std::size_t>(pixel_width());
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t drawn = canvas_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
            std::uint32_t* block = pixels_.data() + static_cast<std::size_t>(y) * 2 * pitch + static_cast<std::size_t>(x) * 2;
            if (drawn != block[0])
                block[0] = block[1] = block[pitch] = block[pitch + 1] = drawn;
        }
}
