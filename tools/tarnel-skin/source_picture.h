// SPDX-License-Identifier: GPL-3.0-or-later
// load_source_picture: reads a picture an author drew, whatever its file type, into
// 0xAARRGGBB pixels with straight alpha, rows top first. The type comes from the file's
// first bytes, not its name: PNG through libpng (any colour type, alpha kept), JPEG and BMP
// through the player's own decoders (opaque, exactly as the player would show them).
// Errors: std::runtime_error naming the file ("PATH: not a png, jpeg or bmp picture",
// "PATH: can't decode picture"), or file_bytes' error when it cannot be read.
#pragma once

#include "media/png_reader.h"

#include <filesystem>

RgbaImage load_source_picture(const std::filesystem::path& path);
