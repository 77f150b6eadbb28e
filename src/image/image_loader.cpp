// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/image_loader.h"

#include "base/file_kind.h"
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
