#include "image_files.h"

#include "media/byte_builder.h"
#include "media/jpeg_encoder.h"

#include <fstream>
#include <stdexcept>

std::vector<std::uint8_t> bmp_bytes(const Canvas& canvas)
{
    const auto row_bytes = static_cast<std::uint32_t>((3 * canvas.width() + 3) / 4 * 4);
    const std::uint32_t image_bytes = row_bytes * static_cast<std::uint32_t>(canvas.height());
    ByteBuilder out;
    out.text("BM").u32(54 + image_bytes).u32(0).u32(54);
    out.u32(40).i32(canvas.width()).i32(canvas.height()).u16(1).u16(24).u32(0).u32(image_bytes);
    out.u32(2835).u32(2835).u32(0).u32(0); // 72 dpi, no palette
    for (int y = canvas.height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const std::uint32_t pixel = canvas.pixels()[static_cast<std::size_t>(y * canvas.width() + x)];
            out.u8(static_cast<std::uint8_t>(pixel)).u8(static_cast<std::uint8_t>(pixel >> 8)).u8(static_cast<std::uint8_t>(pixel >> 16));
        }
        out.fill(row_bytes - 3 * static_cast<std::uint32_t>(canvas.width()), 0);
    }
    return out.take();
}

void write_file(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("can't write " + path.string());
}

void write_bmp(const std::filesystem::path& path, const Canvas& canvas)
{
    write_file(path, bmp_bytes(canvas));
}

void write_jpeg(const std::filesystem::path& path, const Canvas& canvas, int quality)
{
    // Highlights are pressed below 241, so the encoder's ringing cannot reach pure white,
    // which a layered window would show as a hole.
    std::vector<std::uint32_t> pixels(canvas.pixels().begin(), canvas.pixels().end());
    for (std::uint32_t& pixel : pixels) {
        std::uint32_t out = 0xFF000000u;
        for (int shift = 0; shift <= 16; shift += 8) {
            std::uint32_t channel = pixel >> shift & 0xFF;
            if (channel > 224)
                channel = 224 + (channel - 224) / 2;
            out |= channel << shift;
        }
        pixel = out;
    }
    write_file(path, encode_jpeg(canvas.width(), canvas.height(), pixels, quality));
}

void write_mask(const std::filesystem::path& path, const Coverage& shape)
{
    std::vector<std::uint8_t> mask;
    mask.reserve(static_cast<std::size_t>(layout::window_width * layout::window_height));
    for (int y = 0; y < layout::window_height; ++y) {
        for (int x = 0; x < layout::window_width; ++x)
            mask.push_back(shape(x + 0.5, y + 0.5) >= 0.5 ? 0 : 1);
    }
    write_file(path, mask);
}
