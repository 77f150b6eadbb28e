// SPDX-License-Identifier: GPL-3.0-or-later
#include "stored_files.h"

#include "base/twice_size_name.h"
#include "file_bytes.h"
#include "image/bmp_decoder.h"
#include "image/image_limits.h"
#include "image/jpeg_decoder.h"
#include "media/bmp_writer.h"
#include "media/jpeg_encoder.h"
#include "media/palette_quantiser.h"
#include "skin/window_region.h"
#include "source_picture.h"

#include <algorithm>
#include <stdexcept>

namespace {

std::string size_text(int width, int height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

// The cut pixels that the panel shape keeps anyway, as one line, or nothing.
std::optional<std::string> kept_cut_pixels(std::span<const std::uint8_t> mask, WindowSize window)
{
    const Rect inside{panel_interior.left, panel_interior.top, std::min(panel_interior.right, window.width),
                      std::min(panel_interior.bottom, window.height)};
    std::size_t count = 0;
    Rect bounds{inside.right, inside.bottom, inside.left, inside.top};
    for (int y = inside.top; y < inside.bottom; ++y)
        for (int x = inside.left; x < inside.right; ++x)
            if (mask[static_cast<std::size_t>(y) * static_cast<std::size_t>(window.width) + static_cast<std::size_t>(x)] != 0) {
                ++count;
                bounds = {std::min(bounds.left, x), std::min(bounds.top, y), std::max(bounds.right, x + 1), std::max(bounds.bottom, y + 1)};
            }
    if (count == 0)
        return std::nullopt;
    const auto rect_text = [](const Rect& r) {
        return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
               std::to_string(r.bottom) + ")";
    };
    return std::to_string(count) + " cut pixels in " + rect_text(bounds) + " lie inside " + rect_text(panel_interior) +
           ", which the player always keeps: without layered windows they stay visible";
}

std::vector<std::uint8_t> alpha_mask(const ManifestFile& file, WindowSize window, std::vector<std::string>& warnings)
{
    const RgbaImage picture = load_source_picture(file.path);
    const std::string prefix = file.where + ": warning: " + file.name + ": ";
    if (picture.width != window.width || picture.height != window.height)
        warnings.push_back(prefix + file.path.string() + " is " + size_text(picture.width, picture.height) +
                           ", the window " + size_text(window.width, window.height) +
                           "; the mask keeps the window's size and cuts what the picture does not cover");
    std::vector<std::uint8_t> mask = mask_from_alpha(picture, window);
    if (file.name == "Data\\panel.rgn")
        if (const auto kept = kept_cut_pixels(mask, window))
            warnings.push_back(prefix + *kept);
    return mask;
}

std::vector<std::uint8_t> encoded_picture(const ManifestFile& file, const RgbaImage& picture)
{
    switch (file.format) {
    case StoredFormat::jpeg: return encode_jpeg(picture.width, picture.height, picture.pixels, file.quality);
    case StoredFormat::bmp24: return encode_bmp24(picture.pixels, picture.width, picture.height);
    case StoredFormat::bmp8: return encode_bmp8(quantise_palette(picture.pixels, picture.width, picture.height, file.dither));
    case StoredFormat::rle8: return encode_rle8(quantise_palette(picture.pixels, picture.width, picture.height, file.dither));
    case StoredFormat::as_given: break;
    }
    return read_file_bytes(file.path);
}

// The picture stored as `file.format`; warns of pure white pixels in what the player will
// decode, since layered windows show that colour as a hole.
std::vector<std::uint8_t> converted_picture(const ManifestFile& file, std::vector<std::string>& warnings)
{
    std::vector<std::uint8_t> stored = encoded_picture(file, load_source_picture(file.path));
    const SkinBitmap decoded = file.format == StoredFormat::jpeg ? decode_jpeg(stored) : decode_bmp(stored);
    const auto white = std::count(decoded.pixels().begin(), decoded.pixels().end(), 0xFFFFFFFFu);
    if (white > 0)
        warnings.push_back(file.where + ": warning: " + file.name + ": " + std::to_string(white) +
                           " pure white pixels, which layered windows show as holes");
    return stored;
}

// The file's art at twice the size as its own entry, or nothing (with a warning) when a
// picture's art is not exactly twice its size.
std::optional<ArchiveEntry> twice_size_entry(const ManifestFile& file, WindowSize window, std::vector<std::string>& warnings)
{
    ManifestFile twice = file;
    twice.name = twice_size_name(file.name);
    twice.path = *file.source_2x;
    twice.where = twice.source_where = file.source_2x_where;
    if (!file.mask_from_alpha) {
        RgbaImage one, two;
        try {
            one = load_source_picture(file.path);
            two = load_source_picture(twice.path);
        } catch (const std::runtime_error& error) {
            throw std::runtime_error(file.source_2x_where + ": " + error.what());
        }
        if (two.width != 2 * one.width || two.height != 2 * one.height) {
            warnings.push_back(file.source_2x_where + ": warning: " + file.name + ": " + twice.path.string() + " is " +
                               size_text(two.width, two.height) + ", not twice " + size_text(one.width, one.height) +
                               ": not stored, the player draws the picture doubled");
            return std::nullopt;
        }
    }
    return ArchiveEntry{twice.name, stored_file_bytes(twice, WindowSize{window.width * 2, window.height * 2}, warnings)};
}

} // namespace

std::vector<std::uint8_t> mask_from_alpha(const RgbaImage& picture, WindowSize window)
{
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(window.width) * static_cast<std::size_t>(window.height), 1);
    for (int y = 0; y < std::min(window.height, picture.height); ++y)
        for (int x = 0; x < std::min(window.width, picture.width); ++x) {
            const std::uint32_t pixel = picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) + static_cast<std::size_t>(x)];
            mask[static_cast<std::size_t>(y) * static_cast<std::size_t>(window.width) + static_cast<std::size_t>(x)] = (pixel >> 24) < 128 ? 1 : 0;
        }
    return mask;
}

std::vector<std::uint8_t> stored_file_bytes(const ManifestFile& file, WindowSize window, std::vector<std::string>& warnings)
{
    if (file.text)
        return std::vector<std::uint8_t>(file.text->begin(), file.text->end());
    if (file.mask_from_alpha && std::uint64_t(window.width) * std::uint64_t(window.height) > max_image_pixels)
        throw std::runtime_error(file.where + ": the window " + size_text(window.width, window.height) +
                                 " is too large for a mask");
    // Reading and converting the source fail at the line that names it.
    try {
        if (!file.mask_from_alpha && file.format == StoredFormat::as_given)
            return read_file_bytes(file.path);
        return file.mask_from_alpha ? alpha_mask(file, window, warnings) : converted_picture(file, warnings);
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(file.source_where + ": " + error.what());
    }
}

std::vector<ArchiveEntry> stored_entries(const SkinManifest& manifest, std::vector<std::string>& warnings)
{
    const WindowSize window{static_cast<int>(manifest.config.values.number(1)), static_cast<int>(manifest.config.values.number(2))};
    std::vector<ArchiveEntry> entries;
    for (const ManifestFile& file : manifest.files) {
        entries.push_back({file.name, stored_file_bytes(file, window, warnings)});
        if (file.source_2x)
            if (auto twice = twice_size_entry(file, window, warnings))
                entries.push_back(std::move(*twice));
    }
    return entries;
}
