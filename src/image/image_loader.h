// SPDX-License-Identifier: GPL-3.0-or-later
// load_image: the skin's one way to turn an archive entry into a SkinBitmap. The name's
// kind (file_kind_of) picks the decoder: "jpg" names go through decode_jpeg and, in
// layered mode only, are cut to the window's shape by the mask shape_mask_for names;
// "bmp" names go through decode_bmp and are never masked; any other name gives an empty
// bitmap and no message. Stateless; reads the archive only.
#pragma once

#include "archive/data_archive.h"
#include "image/skin_bitmap.h"

#include <optional>
#include <string>
#include <string_view>

// Throws SkinError "can't find file " + name + " in datafile" for a missing image, or for
// a missing mask of a JPEG that decoded, and "invalid bmp format" for a "bmp" entry that
// is not a BMP file. A JPEG that does not decode gives an empty bitmap, silently.
SkinBitmap load_image(const DataArchive& archive, std::string_view name, bool layered);

// Attaches to `bitmap`, loaded from `name`, the art at twice the size stored under
// twice_size_name(name), decoded as load_image decodes `name`; a layered JPEG is cut by the
// mask's twice-size file when the archive holds one of 1200 × 1020 bytes, else by the mask
// with each byte doubled. Returns nothing when that art was attached or the archive holds
// none; else one line saying why it is not used (it does not decode, or is not exactly twice
// the size of `bitmap`), and `bitmap` stays as it was.
std::optional<std::string> load_twice_size_art(const DataArchive& archive, std::string_view name, bool layered, SkinBitmap& bitmap);
