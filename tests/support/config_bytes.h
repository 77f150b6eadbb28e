// SPDX-License-Identifier: GPL-3.0-or-later
// Configuration bytes for tests, written field by field with ByteBuilder (independent of the
// writer under test).
#pragma once

#include "byte_builder.h"

#include <cstdint>
#include <vector>

// A chunk: header (id, length) and body; the length is 6 + the body's size unless given.
inline ByteBuilder& config_chunk(ByteBuilder& out, std::uint16_t id, const ByteBuilder& body, std::int64_t length = -1)
{
    const auto written = length >= 0 ? static_cast<std::uint32_t>(length) : static_cast<std::uint32_t>(6 + body.size());
    return out.u16(id).u32(written).raw(body.bytes());
}

// The smallest complete skin: title "A", 600 x 510, start page "p", page "p" without images
// holding one button (10, 20, 50, 40) that posts 0x1001 with argument 0; 59 bytes.
inline std::vector<std::uint8_t> smallest_config_bytes()
{
    ByteBuilder file;
    file.u16(0x0258).u32(59).string("A").u16(600).u16(510);
    file.u16(0x3030).u32(8).string("p");
    file.u16(0x4000).u32(39).string("p").fill(4, 0).u8(0);
    file.u16(0x4010).u32(26).i32(10).i32(20).i32(50).i32(40).u16(0x1001).u16(0);
    return file.take();
}
