// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/jpeg_decoder.h"

#include "image/image_limits.h"

#include <bit>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <vector>

#include <jpeglib.h>

namespace {

static_assert(std::endian::native == std::endian::little, "JCS_EXT_BGRA bytes are read as 0xAARRGGBB values");

// libjpeg reports fatal errors through error_exit, which must not return: it jumps back to
// the setjmp in run_decode. Messages (warnings included) are dropped.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf failure;
};

[[noreturn]] void jump_to_failure(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->failure, 1);
}

void drop_message(j_common_ptr) {}

// Decodes into `pixels` and sets `width` and `height`; false on any libjpeg error. Every
// C++ object lives in the caller's frame, so the jump skips no destructor.
bool run_decode(jpeg_decompress_struct& info, std::span<const std::uint8_t> file, std::vector<std::uint32_t>& pixels,
                std::uint16_t& width, std::uint16_t& height)
{
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jump_to_failure;
    errors.base.output_message = drop_message;
    if (setjmp(errors.failure) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    if (!image_size_allowed(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    // Blue, green, red, 0xFF in memory: the bitmap's 0xAARRGGBB pixels with no second pass.
    info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    width = static_cast<std::uint16_t>(info.output_width);
    height = static_cast<std::uint16_t>(info.output_height);
    pixels.resize(std::size_t{width} * height);
    while (info.output_scanline < info.output_height) {
        auto* row = reinterpret_cast<JSAMPROW>(pixels.data() + std::size_t{info.output_scanline} * width);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

SkinBitmap decode_jpeg(std::span<const std::uint8_t> file)
{
    jpeg_decompress_struct info{};
    std::vector<std::uint32_t> pixels;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    if (!run_decode(info, file, pixels, width, height))
        return {};
    return {width, height, std::move(pixels)};
}
