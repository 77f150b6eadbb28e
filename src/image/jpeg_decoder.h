// SPDX-License-Identifier: GPL-3.0-or-later
// decode_jpeg: turns the bytes of a JPEG file into a SkinBitmap (opaque 0xAARRGGBB pixels,
// top row first) through libjpeg-turbo, decoding straight into the bitmap's pixels.
// Stateless; safe on any thread.
//
// Failures are silent: a file that libjpeg rejects (not a JPEG, a colour space it cannot
// turn into RGB, damaged headers or tables) or whose size is over the limits of
// image_limits.h gives an empty bitmap. libjpeg's own tolerance stays: a stream cut short
// still yields its picture, the missing part filled by the library. libjpeg never prints
// and never ends the process.
#pragma once

#include "image/skin_bitmap.h"

#include <cstdint>
#include <span>

SkinBitmap decode_jpeg(std::span<const std::uint8_t> file);
