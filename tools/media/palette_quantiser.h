// SPDX-License-Identifier: GPL-3.0-or-later
// quantise_palette: reduces a picture to at most 256 colours with libimagequant, for 8-bit
// BMP files. Alpha is ignored (every pixel is taken as opaque): stored pictures are opaque.
// Stateless; each call owns its libimagequant objects.
#pragma once

#include "media/bmp_writer.h"

#include <cstdint>
#include <span>

// `pixels` holds width × height 0xAARRGGBB values, rows top first; width and height are at
// least 1. With `dither`, the remapping spreads the colour error (Floyd–Steinberg) instead
// of taking each pixel's nearest entry. Throws std::runtime_error "can't quantise image"
// when libimagequant refuses.
IndexedImage quantise_palette(std::span<const std::uint32_t> pixels, int width, int height, bool dither);
