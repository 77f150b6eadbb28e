// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/track_loader.h"

#include <cstdio>

void report_unplayable(std::string_view path)
{
    std::fprintf(stderr, "can't play %.*s\n", static_cast<int>(path.size()), path.data());
}
