// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/image_loader.h"

#include "base/file_kind.h"
#include "base/skin_error.h"
#include "base/twice_size_name.h"
#include "image/bmp_decoder.h"
#include "image/jpeg_decoder.h"
#include "image/shape_mask.h"

SkinBitmap load_image(const DataArchive& archive, std::string_view name, bool layered)
{
    switch (file_kind_of(name)) {
    case FileKind::bmp:
        return decode_bmp(archive.find_file(name).bytes);
    case FileKind::jpeg: {
        SkinBitmap bitmap = decode_jpeg(archive.find_file(name).bytes);
        if (layered && bitmap.has_image()) {
            if (const auto mask = shape_mask_for(name))
                apply_shape_mask(bitmap, archive.find_file(*mask).bytes);
        }
        return bitmap;
    }
    default:
        return {};
    }
}

namespace {

std::string size_text(int width, int height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

} // namespace

std::optional<std::string> load_twice_size_art(const DataArchive& archive, std::string_view name, bool layered, SkinBitmap& bitmap)
{
    const std::string twice_name = twice_size_name(name);
    if (!bitmap.has_image() || !archive.has_file(twice_name))
        return std::nullopt;
    const std::string not_used = ": " + std::string(name) + " is drawn doubled instead";
    SkinBitmap twice;
    try {
        twice = load_image(archive, twice_name, false);
    } catch (const SkinError& error) {
        return twice_name + ": " + error.what() + not_used;
    }
    if (!twice.has_image())
        return twice_name + ": no picture (damaged, or past the size limit)" + not_used;
    if (twice.width() != 2 * bitmap.width() || twice.height() != 2 * bitmap.height())
        return twice_name + " is " + size_text(twice.width(), twice.height()) + ", not " +
               size_text(2 * bitmap.width(), 2 * bitmap.height()) + not_used;
    const auto mask_name = shape_mask_for(name);
    if (layered && file_kind_of(name) == FileKind::jpeg && mask_name) {
        const std::string twice_mask = twice_size_name(*mask_name);
        constexpr std::size_t twice_mask_size = std::size_t{4} * shape_mask_width * shape_mask_height;
        const bool sharp_mask = archive.has_file(twice_mask) && archive.find_file(twice_mask).size() == twice_mask_size;
        apply_shape_mask(twice.pixels(), bitmap.width(), bitmap.height(), 2, archive.find_file(sharp_mask ? twice_mask : *mask_name).bytes,
                         sharp_mask ? 2 : 1);
    }
    bitmap.set_twice_size(std::vector<std::uint32_t>(twice.pixels().begin(), twice.pixels().end()));
    return std::nullopt;
}
