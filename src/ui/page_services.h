// SPDX-License-Identifier: GPL-3.0-or-later
// PageServices: what a page needs while it is built and while it runs: the clock (glows,
// timers), the command queue it posts to, the archive its text documents come from, and the
// image loader for its bitmaps and slider knobs. The referenced objects must outlive the
// page. `load_image` returns the decoded image of an archive entry, an empty bitmap for a
// name whose type it does not know, and throws SkinError for a name not in the archive.
#pragma once

#include "base/command.h"
#include "image/skin_bitmap.h"
#include "platform/clock.h"

#include <functional>
#include <string_view>

class DataArchive;

using ImageLoader = std::function<SkinBitmap(std::string_view name)>;

struct PageServices {
    const Clock& clock;
    CommandSink& commands;
    const DataArchive& archive;
    ImageLoader load_image;
};
