// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/palette_quantiser.h"

#include <libimagequant.h>

#include <memory>
#include <stdexcept>

namespace {

struct AttrDeleter {
    void operator()(liq_attr* attr) const { liq_attr_destroy(attr); }
};
struct ImageDeleter {
    void operator()(liq_image* image) const { liq_image_destroy(image); }
};
struct ResultDeleter {
    void operator()(liq_result* result) const { liq_result_destroy(result); }
};

} // namespace

IndexedImage quantise_palette(std::span<const std::uint32_t> pixels, int width, int height, bool dither)
{
    std::vector<std::uint8_t> rgba;
    rgba.reserve(pixels.size() * 4);
    for (const std::uint32_t pixel : pixels) {
        rgba.push_back(static_cast<std::uint8_t>(pixel >> 16));
        rgba.push_back(static_cast<std::uint8_t>(pixel >> 8));
        rgba.push_back(static_cast<std::uint8_t>(pixel));
        rgba.push_back(0xFF);
    }
    const std::unique_ptr<liq_attr, AttrDeleter> attr(liq_attr_create());
    if (!attr || liq_set_max_colors(attr.get(), 256) != LIQ_OK)
        throw std::runtime_error("can't quantise image");
    const std::unique_ptr<liq_image, ImageDeleter> image(liq_image_create_rgba(attr.get(), rgba.data(), width, height, 0));
    liq_result* raw_result = nullptr;
    if (!image || liq_image_quantize(image.get(), attr.get(), &raw_result) != LIQ_OK)
        throw std::runtime_error("can't quantise image");
    const std::unique_ptr<liq_result, ResultDeleter> result(raw_result);
    liq_set_dithering_level(result.get(), dither ? 1.0f : 0.0f);

    IndexedImage out{width, height, {}, std::vector<std::uint8_t>(pixels.size())};
    if (liq_write_remapped_image(result.get(), image.get(), out.indices.data(), out.indices.size()) != LIQ_OK)
        throw std::runtime_error("can't quantise image");
    const liq_palette* palette = liq_get_palette(result.get());
    for (unsigned i = 0; i < palette->count; ++i) {
        const liq_color colour = palette->entries[i];
        out.palette.push_back(0xFF000000u | std::uint32_t{colour.r} << 16 | std::uint32_t{colour.g} << 8 | colour.b);
    }
    return out;
}
