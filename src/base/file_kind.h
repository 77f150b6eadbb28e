// SPDX-License-Identifier: GPL-3.0-or-later
// file_kind_of: classifies a file name by the letters after its first full stop.
// Only all-lower-case or all-upper-case forms count, and only as many letters as the
// extension has ("xml" is a module, "Jpg" is nothing). Used by image loading and tracks.
#pragma once

#include <cstdint>
#include <string_view>

enum class FileKind : std::uint8_t {
    other = 0,
    module = 1, // xm, it
    stream = 2, // mp3, ogg
    jpeg = 3,   // jpg
    bmp = 4,    // bmp
};

FileKind file_kind_of(std::string_view name);
