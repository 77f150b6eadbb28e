// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes each manifest file stores in the archive: the file as it is, the inline text, a
// picture converted to its `format` (JPEG through libjpeg-turbo, 24-bit, 8-bit and 8-bit
// run-length BMP through our own writer, the palette by libimagequant), or a window mask
// made from a picture's alpha.
//
// Plain functions; not synchronised. Errors are std::runtime_error prefixed with the file's
// manifest position ("MANIFEST:LINE:COLUMN: ...").
#pragma once

#include "archive_entries.h"
#include "media/png_reader.h"
#include "skin_manifest.h"

#include <cstdint>
#include <string>
#include <vector>

struct WindowSize {
    int width = 0;
    int height = 0;
};

// A window mask of window.width × window.height bytes, rows from the top: 0 where the
// picture's alpha is 128 or more (the pixel belongs to the window), 1 where it is less or
// where the window reaches past the picture.
std::vector<std::uint8_t> mask_from_alpha(const RgbaImage& picture, WindowSize window);

// `file`'s stored bytes. Anything the author should hear about but that does not stop the
// build (a mask picture of another size than the window; cut pixels of "Data\panel.rgn"
// inside the rectangle the player always keeps; pure white pixels in a converted picture,
// which layered windows show as holes) is appended to `warnings`, one line each.
std::vector<std::uint8_t> stored_file_bytes(const ManifestFile& file, WindowSize window, std::vector<std::string>& warnings);

// Every file of the manifest as stored_file_bytes makes it, named, in manifest order, each
// followed by its art at twice the size (`source_2x`) under twice_size_name: a picture stored
// as the picture is (converted to the same format), a mask made from that art's alpha at
// twice the window's size. A picture whose art at twice the size is not exactly twice its
// size is warned of at the `source_2x` line and that art is not stored (the player doubles
// the picture).
std::vector<ArchiveEntry> stored_entries(const SkinManifest& manifest, std::vector<std::string>& warnings);
