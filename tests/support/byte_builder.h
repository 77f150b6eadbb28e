// SPDX-License-Identifier: GPL-3.0-or-later
// Test helpers over ByteBuilder (tools/media/byte_builder.h) for crafting skin files,
// archives and images inside tests.
#pragma once

#include "media/byte_builder.h"

#include <string_view>

// One archive entry: name, 0 byte, u32 size, data.
inline ByteBuilder& archive_entry(ByteBuilder& out, std::string_view name, std::string_view data)
{
    return out.string(name).u32(static_cast<std::uint32_t>(data.size())).text(data);
}
