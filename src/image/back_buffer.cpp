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

bool clip_copy(CopyArea& area, const Rect& dest, const SkinBitmap& source)
{
    return clip_axis(area.dx, area.sx, area.w, dest.left, dest.right, source.width()) &&
           clip_axis(area.dy, area.sy, area.h, dest.top, dest.bottom, source.height());
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

BackBuffer::BackBuffer(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0xFF000000u),
      clip_{0, 0, width_, height_}
{
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

void BackBuffer::blit(const SkinBitmap& bitmap, int dx, int dy, int w, int h, int sx, int sy)
{
    CopyArea area{dx, dy, sx, sy, w, h};
    if (!clip_copy(area, clip_, bitmap))
        return;
    const auto source = bitmap.pixels();
    for (std::int64_t row = 0; row < area.h; ++row) {
        std::memcpy(pixels_.data() + (area.dy + row) * width_ + area.dx, source.data() + (area.sy + row) * bitmap.width() + area.sx,
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
    CopyArea area{dx, dy, sx, sy, w, h};
    if (!clip_copy(area, clip_, bitmap))
        return;
    static const bool avx2 = cpu_has_avx2();

    const auto blend_rows = [&](const auto& kernel) {
        const auto source = bitmap.pixels();
        for (std::int64_t row = 0; row < area.h; ++row) {
            blend_row(pixels_.data() + (area.dy + row) * width_ + area.dx, source.data() + (area.sy + row) * bitmap.width() + area.sx,
                      area.w, kernel);
        }
    };
    if (alpha_format == 0) {
        const auto inverse = static_cast<std::uint16_t>(255 - constant);
        blend_rows([constant, inverse](Lanes s, Lanes d) { return divide_by_255(s * constant + d * inverse); });
    } else if (avx2) {
        const auto source = bitmap.pixels();
        for (std::int64_t row = 0; row < area.h; ++row) {
            std::uint32_t* out = pixels_.data() + (area.dy + row) * width_ + area.dx;
            const std::uint32_t* in = source.data() + (area.sy + row) * bitmap.width() + area.sx;
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
