// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/file_kind.h"

#include <array>

namespace {

struct Extension {
    std::string_view lower;
    std::string_view upper;
    FileKind kind;
};

// Checked in this order; the first whose letters start the extension wins.
constexpr std::array extensions{
    Extension{"jpg", "JPG", FileKind::jpeg},  Extension{"bmp", "BMP", FileKind::bmp},
    Extension{"mp3", "MP3", FileKind::stream}, Extension{"ogg", "OGG", FileKind::stream},
    Extension{"xm", "XM", FileKind::module},   Extension{"it", "IT", FileKind::module},
};

} // namespace

FileKind file_kind_of(std::string_view name)
{
    const auto dot = name.find('.');
    if (dot == std::string_view::npos)
        return FileKind::other;
    const auto extension = name.substr(dot + 1);
    for (const auto& candidate : extensions) {
        if (extension.starts_with(candidate.lower) || extension.starts_with(candidate.upper))
            return candidate.kind;
    }
    return FileKind::other;
}
