// SPDX-License-Identifier: GPL-3.0-or-later
// PNG output of a drawn surface (a BackBuffer's or a SkinBitmap's 0xAARRGGBB pixels, rows
// top first, pitch = width), for the skin tool's render command and for tests. The PNG is
// 8-bit RGB by default: the window shows no alpha, so the alpha byte is dropped; art that
// a skin author paints over (the starter skin's) keeps it as 8-bit RGBA. Stateless.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

enum class PngAlpha { drop, keep };

// The PNG file's bytes. `pixels` holds width × height values; width and height are at
// least 1. Throws SkinError "can't encode png image" when libpng refuses.
std::vector<std::uint8_t> encode_png(std::span<const std::uint32_t> pixels, int width, int height,
                                     PngAlpha alpha = PngAlpha::drop);

// Writes encode_png's bytes to `path`. Throws SkinError "can't write png file " + path
// when the file cannot be written.
void write_png(const std::filesystem::path& path, std::span<const std::uint32_t> pixels, int width, int height,
               PngAlpha alpha = PngAlpha::drop);
