// SPDX-License-Identifier: GPL-3.0-or-later
// Compiled with AVX2 enabled (see src/CMakeLists.txt): this file includes no header with
// inline functions of its own, so no AVX2 copy of shared code can replace the plain one.
#include "image/blend_avx2.h"

#if defined(__x86_64__)
#include <immintrin.h>

namespace {

// round(v / 255) for v up to 255 × 255: ((v + 128) × 257) >> 16.
__m256i divide_by_255(__m256i v)
{
    return _mm256_mulhi_epu16(_mm256_add_epi16(v, _mm256_set1_epi16(128)), _mm256_set1_epi16(257));
}

// Premultiplied source over destination on 16-bit channel lanes: s + round(d × (255 − sα) / 255).
__m256i source_over(__m256i s, __m256i d)
{
    const __m256i alpha = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(s, 0xFF), 0xFF);
    return _mm256_add_epi16(s, divide_by_255(_mm256_mullo_epi16(d, _mm256_sub_epi16(_mm256_set1_epi16(255), alpha))));
}

} // namespace

bool cpu_has_avx2()
{
    return __builtin_cpu_supports("avx2");
}

std::size_t blend_premultiplied_row_avx2(std::uint32_t* dest, const std::uint32_t* source, std::size_t count,
                                         std::uint16_t constant)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i scale = _mm256_set1_epi16(static_cast<short>(constant));
    std::size_t x = 0;
    for (; x + 8 <= count; x += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + x));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dest + x));
        // Unpacking and packing both work within 128-bit halves, so pixel order is kept.
        __m256i s_low = _mm256_unpacklo_epi8(s, zero);
        __m256i s_high = _mm256_unpackhi_epi8(s, zero);
        if (constant != 255) {
            s_low = divide_by_255(_mm256_mullo_epi16(s_low, scale));
            s_high = divide_by_255(_mm256_mullo_epi16(s_high, scale));
        }
        const __m256i low = source_over(s_low, _mm256_unpacklo_epi8(d, zero));
        const __m256i high = source_over(s_high, _mm256_unpackhi_epi8(d, zero));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest + x), _mm256_packus_epi16(low, high));
    }
    return x;
}

#else

bool cpu_has_avx2()
{
    return false;
}

std::size_t blend_premultiplied_row_avx2(std::uint32_t*, const std::uint32_t*, std::size_t, std::uint16_t)
{
    return 0;
}

#endif
