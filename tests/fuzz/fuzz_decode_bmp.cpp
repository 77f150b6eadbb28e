// SPDX-License-Identifier: GPL-3.0-or-later
// BMP decoding of arbitrary bytes, twice per input: the input as a whole file, and the input
// behind a well-formed header whose size, bit count, compression and palette size come from
// its first bytes, so run-length and palette code is reached at once. Decoding must give a
// picture whose pixel count matches its size, or throw SkinError, and never touch memory
// outside the input or the picture.
#include "base/skin_error.h"
#include "byte_builder.h"
#include "image/bmp_decoder.h"

#include <array>
#include <cstdint>
#include <span>

namespace {

void decode(std::span<const std::uint8_t> file)
{
    try {
        const SkinBitmap bitmap = decode_bmp(file);
        if (bitmap.pixels().size() != std::size_t{bitmap.width()} * bitmap.height())
            __builtin_trap();
    } catch (const SkinError&) {
    }
}

std::uint8_t byte_at(std::span<const std::uint8_t> data, std::size_t index) { return index < data.size() ? data[index] : 0; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> input(data, size);
    decode(input);

    constexpr std::array<std::uint16_t, 6> bit_counts{1, 4, 8, 16, 24, 32};
    const std::size_t control = 5;
    ByteBuilder file;
    file.text("BM").u32(0).u32(0).u32(0);
    file.u32(byte_at(input, 4) & 1 ? 124 : 40)
        .i32(byte_at(input, 0) % 40)
        .i32(static_cast<std::int32_t>(byte_at(input, 1) % 64) - 32)
        .u16(1)
        .u16(bit_counts[byte_at(input, 2) % bit_counts.size()])
        .u32(byte_at(input, 3) % 4)
        .fill(12, 0)
        .u32(byte_at(input, 4) >> 1)
        .u32(0);
    if (byte_at(input, 4) & 1)
        file.fill(124 - 40, 0);
    if (size > control)
        file.raw(input.subspan(control));
    decode(file.bytes());
    return 0;
}
