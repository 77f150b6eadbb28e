// SPDX-License-Identifier: GPL-3.0-or-later
// decode_bmp: turns the bytes of a BMP file into a SkinBitmap (opaque 0xAARRGGBB pixels,
// top row first). Stateless; safe on any thread.
//
// Understood: 8-bit and 24-bit uncompressed pixels and 8-bit run-length encoding
// (compression 1). Every other bit count, 4-bit run-length encoding and every other
// compression give an all-black picture of the stated size. The palette follows the
// information header (whose size field is honoured when it is longer than 40 bytes) and
// has the colours-used count of entries, or 2^bitcount when that is 0 (none for 24 bits
// and 32 bits); the pixel data starts right after it, whatever the file header's offset
// field says. A negative height means rows are stored top first.
//
// Untrusted files: the decoder never reads outside `file` nor writes outside the picture.
// A palette past the end of the file has black entries (as have indices beyond the
// palette); pixel data cut short leaves the rest of an uncompressed picture black and the
// rest of a run-length picture at palette index 0; runs and deltas outside the picture
// are dropped; run-length data without an end code simply ends. A width or height of 0,
// a negative width, or a size over the limits of image_limits.h gives no image.
#pragma once

#include "image/skin_bitmap.h"

#include <cstdint>
#include <span>

// Throws SkinError "invalid bmp format" when `file` does not start with "BM".
SkinBitmap decode_bmp(std::span<const std::uint8_t> file);
