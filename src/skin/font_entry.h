// SPDX-License-Identifier: GPL-3.0-or-later
// FontEntry: one named font of the skin (a font definition), registered in the
// FontRegistry. List views and text browsers refer to it without owning it.
#pragma once

#include "platform/fonts.h"

#include <array>
#include <cstdint>
#include <memory>

struct FontEntry {
    // The platform font; never null for a registered entry.
    std::unique_ptr<Font> font;
    // Further values of the definition, in file order; kept for plug-ins and tools.
    std::array<std::uint32_t, 4> values{};
};
