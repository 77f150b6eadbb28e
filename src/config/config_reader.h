// SPDX-License-Identifier: GPL-3.0-or-later
// ConfigReader: the reading primitives over the bytes of a configuration file, little-endian,
// moving forward from offset 0.
//
// End of the file: a field cut short by the end reads the bytes that are there and 0 for the
// rest, and the position still moves by the field's full width; a string ends at its 0 byte
// or at the end. `at_end()` is true once no byte is left at the position.
//
// The reader views bytes it does not own; they must outlive it. Not synchronised.
#pragma once

#include "base/rect.h"
#include "config/chunk_values.h"
#include "config/config_layout.h"

#include <cstdint>
#include <span>
#include <string>

class ConfigReader {
public:
    explicit ConfigReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t read_u8() { return static_cast<std::uint8_t>(read_little_endian(1)); }
    std::uint16_t read_u16() { return static_cast<std::uint16_t>(read_little_endian(2)); }
    std::uint32_t read_u32() { return read_little_endian(4); }
    // Left, top, right, bottom: four signed 32-bit values.
    Rect read_rect();
    // The bytes up to the next 0 byte (which is consumed, not returned) or the end of the file.
    std::string read_string();
    // A chunk header: u16 id, u32 length.
    ChunkHeader read_header();
    // One field of the given type.
    FieldValue read_field(FieldType type);

    // Moves forward `count` bytes (possibly past the end).
    void skip(std::uint64_t count) { position_ += count; }

    // Byte offset of the next read from the start of the file; may lie past the end.
    std::uint64_t position() const { return position_; }
    // The number of bytes read from.
    std::uint64_t size() const { return bytes_.size(); }
    // True when no byte is left to read.
    bool at_end() const { return position_ >= bytes_.size(); }
    // Bytes left from the position to the end of the file.
    std::uint64_t remaining() const { return at_end() ? 0 : bytes_.size() - position_; }

private:
    std::uint32_t read_little_endian(int width);

    std::span<const std::uint8_t> bytes_;
    std::uint64_t position_ = 0;
};
