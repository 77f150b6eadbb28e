// SPDX-License-Identifier: GPL-3.0-or-later
// ChunkValues: the field values of one configuration chunk, in the order its ChunkLayout
// lists them, plus the repeated entries of the chunks that have them. Numbers of every width
// are held as 32-bit values; the layout says how wide each is in the file.
//
// A plain value type; it owns its strings. Not synchronised.
#pragma once

#include "base/rect.h"
#include "config/config_layout.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// One field: a u8/u16/u32 number, a rectangle or a string (without its 0 byte).
using FieldValue = std::variant<std::uint32_t, Rect, std::string>;
using FieldValues = std::vector<FieldValue>;

struct ChunkValues {
    FieldValues fields;               // one per layout field
    std::vector<FieldValues> entries; // one per entry read, each one value per entry field

    // Typed access by position; std::bad_variant_access when the type is another.
    std::uint32_t number(std::size_t index) const { return std::get<std::uint32_t>(fields.at(index)); }
    const Rect& rect(std::size_t index) const { return std::get<Rect>(fields.at(index)); }
    const std::string& text(std::size_t index) const { return std::get<std::string>(fields.at(index)); }

    friend bool operator==(const ChunkValues&, const ChunkValues&) = default;
};

// The value a field has when nothing sets it: 0, an all-zero rectangle or the empty string.
inline FieldValue default_value(FieldType type)
{
    switch (type) {
    case FieldType::rect: return Rect{};
    case FieldType::string: return std::string();
    default: return std::uint32_t{0};
    }
}

// True when `value` holds the kind of value `type` needs and, for numbers, fits its width.
inline bool fits(const FieldValue& value, FieldType type)
{
    switch (type) {
    case FieldType::rect: return std::holds_alternative<Rect>(value);
    case FieldType::string: return std::holds_alternative<std::string>(value);
    case FieldType::u8: return std::holds_alternative<std::uint32_t>(value) && std::get<std::uint32_t>(value) <= 0xFF;
    case FieldType::u16: return std::holds_alternative<std::uint32_t>(value) && std::get<std::uint32_t>(value) <= 0xFFFF;
    case FieldType::u32: return std::holds_alternative<std::uint32_t>(value);
    }
    return false;
}
