// SPDX-License-Identifier: GPL-3.0-or-later
// load_image: the skin's one way to turn an archive entry into a SkinBitmap. The name's
// kind (file_kind_of) picks the decoder: "jpg" names go through decode_jpeg and, in
// layered mode only, are cut to the window's shape by the mask shape_mask_for names;
// "bmp" names go through decode_bmp and are never masked; any other name gives an empty
// bitmap and no message. Stateless; reads the archive only.
#pragma once

#include "archive/data_archive.h"
#include "image/skin_bitmap.h"

#include <string_view>

// Throws SkinError "can't find file " + name + " in datafile" for a missing image, or for
// a missing mask of a JPEG that decoded, and "invalid bmp format" for a "bmp" entry that
// is not a BMP file. A JPEG that does not decode gives an empty bitmap, silently.
SkinBitmap load_image(const DataArchive& archive, std::string_view name, bool layered);
