// SPDX-License-Identifier: GPL-3.0-or-later
// ByteBuilder: writes little-endian fields into a byte vector, for crafting media files,
// skin files and archives in code. A plain value type.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

class ByteBuilder {
public:
    ByteBuilder& u8(std::uint8_t value)
    {
        bytes_.push_back(value);
        return *this;
    }
    ByteBuilder& u16(std::uint16_t value) { return u8(static_cast<std::uint8_t>(value)).u8(static_cast<std::uint8_t>(value >> 8)); }
    ByteBuilder& u32(std::uint32_t value) { return u16(static_cast<std::uint16_t>(value)).u16(static_cast<std::uint16_t>(value >> 16)); }
    ByteBuilder& i32(std::int32_t value) { return u32(static_cast<std::uint32_t>(value)); }
    // The text's bytes without a terminator.
    ByteBuilder& text(std::string_view value)
    {
        bytes_.insert(bytes_.end(), value.begin(), value.end());
        return *this;
    }
    // The text's bytes and one 0 byte.
    ByteBuilder& string(std::string_view value) { return text(value).u8(0); }
    ByteBuilder& raw(std::span<const std::uint8_t> value)
    {
        bytes_.insert(bytes_.end(), value.begin(), value.end());
        return *this;
    }
    ByteBuilder& fill(std::size_t count, std::uint8_t value)
    {
        bytes_.insert(bytes_.end(), count, value);
        return *this;
    }
    // Overwrites a u32 written earlier at `offset` (for lengths known only at the end).
    ByteBuilder& patch_u32(std::size_t offset, std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            bytes_.at(offset + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(value >> (8 * i));
        return *this;
    }

    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};
