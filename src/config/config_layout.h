// SPDX-License-Identifier: GPL-3.0-or-later
// The byte layout of "tarnel.cfg", described once: every chunk id with its fields in file
// order and their types. The walker reads by it, the writer writes by it and the skin tool's
// dump and manifest name fields by it, so the three cannot disagree.
//
// A chunk is a 6-byte `ChunkHeader` (u16 id, u32 length including the header) followed by its
// fields. Three shapes exist:
//   - plain: the fields, nothing else;
//   - with entries: the last field is a u16 count, followed by count repetitions of
//     `entry_fields` (track list, tray menu, string mapping);
//   - with elements: the page, whose fields are followed by page-element chunks up to the
//     page's end (header offset + length).
// Field names are lower-case identifiers; the manifest uses them as keys.
//
// Everything here is constant data; it is safe to use from any thread.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

enum class FieldType : std::uint8_t {
    u8,     // 1 byte
    u16,    // 2 bytes, little-endian
    u32,    // 4 bytes, little-endian
    rect,   // 16 bytes: left, top, right, bottom as signed 32-bit little-endian
    string, // text bytes and one terminating 0 byte (a string also ends at the end of the file)
};

// How a number is best shown to people (dump): ids read better in hex, command ids also with
// their names.
enum class Shown : std::uint8_t { decimal, hex, command };

struct FieldLayout {
    std::string_view name;
    FieldType type;
    Shown shown = Shown::decimal;
};

struct ChunkLayout {
    std::uint16_t id;
    std::string_view name;                    // "track_list", "button", ...
    std::span<const FieldLayout> fields;      // in file order
    std::span<const FieldLayout> entry_fields; // non-empty: the last field is the u16 count
    bool has_elements = false;                // page-element chunks follow the fields
};

// `ChunkHeader`: in front of every chunk.
struct ChunkHeader {
    static constexpr std::uint32_t size = 6;
    std::uint16_t id = 0;
    std::uint32_t length = 0; // the whole chunk, these 6 bytes included
};

constexpr std::uint16_t kRootChunkId = 0x0258;

// `ChunkId`: the chunks known at top level, inside the root chunk.
enum class ChunkId : std::uint16_t {
    track_list = 0x1000,
    tray_menu = 0x2000,
    font_file = 0x3010,
    font = 0x3020,
    start_page = 0x3030,
    timing = 0x3040,
    page = 0x4000,
    string_mapping = 0x5000,
    plugin = 0x6000,
};

// `ElementId`: the chunks known inside a page.
enum class ElementId : std::uint16_t {
    button = 0x4010,
    key_binding = 0x4020,
    lamp = 0x4030,
    click_command = 0x4040,
    right_click_command = 0x4050,
    enter_command = 0x4060,
    leave_command = 0x4070,
    track_list_view = 0x4080,
    slider = 0x4090,
    text_browser = 0x4100,
    text_item = 0x4110,
    timer = 0x4120,
    plugin_attachment = 0x4130,
    wheel_area = 0x4140,
};

namespace config_layout_detail {

using enum FieldType;
inline constexpr Shown hex = Shown::hex;
inline constexpr Shown command_id = Shown::command;

inline constexpr FieldLayout root_fields[] = {{"title", string}, {"width", u16}, {"height", u16}};

inline constexpr FieldLayout track_list_fields[] = {{"kind", u8}, {"count", u16}};
inline constexpr FieldLayout track_list_entry[] = {{"title", string}, {"file", string}};
inline constexpr FieldLayout tray_menu_fields[] = {{"tooltip", string}, {"count", u16}};
inline constexpr FieldLayout tray_menu_entry[] = {{"text", string}, {"command", u16, command_id}, {"argument", u16}};
inline constexpr FieldLayout font_file_fields[] = {{"file", string}};
inline constexpr FieldLayout font_fields[] = {{"name", string}, {"face", string}, {"height", u8},  {"weight", u16},
                                              {"extra1", u32},  {"extra2", u32}, {"extra3", u32}, {"extra4", u32}};
inline constexpr FieldLayout start_page_fields[] = {{"page", string}};
inline constexpr FieldLayout timing_fields[] = {{"page_switch_ms", u16}, {"music_fade_ms", u16}, {"glow_step", u16}};
inline constexpr FieldLayout page_fields[] = {{"name", string},  {"background", string}, {"pressed", string},
                                              {"hover", string}, {"spare", string},      {"fades", u8}};
inline constexpr FieldLayout string_mapping_fields[] = {{"count", u16}};
inline constexpr FieldLayout string_mapping_entry[] = {{"text", string}, {"index", u16}};
inline constexpr FieldLayout plugin_fields[] = {{"name", string}, {"library", string}};

inline constexpr FieldLayout button_fields[] = {{"area", rect}, {"command", u16, command_id}, {"argument", u16}};
inline constexpr FieldLayout key_binding_fields[] = {{"key", u8, hex}, {"command", u16, command_id}, {"argument", u16}};
inline constexpr FieldLayout lamp_fields[] = {{"name", string}, {"area", rect}};
inline constexpr FieldLayout command_fields[] = {{"command", u16, command_id}, {"argument", u16}};
inline constexpr FieldLayout track_list_view_fields[] = {
    {"area", rect}, {"selection", u8}, {"font", string}, {"line_height", u8}};
inline constexpr FieldLayout slider_fields[] = {
    {"track", rect}, {"slider_type", u8}, {"orientation", u8}, {"knob", string}, {"slider_id", u16, hex}};
inline constexpr FieldLayout text_browser_fields[] = {{"area", rect}, {"font", string}, {"line_height", u8}};
inline constexpr FieldLayout text_item_fields[] = {{"title", string}, {"file", string}};
inline constexpr FieldLayout timer_fields[] = {{"interval_ms", u32}, {"command", u16, command_id}, {"argument", u16}};
inline constexpr FieldLayout plugin_attachment_fields[] = {{"plugin", string}, {"mode", u8}};
inline constexpr FieldLayout wheel_area_fields[] = {{"area", rect},
                                                    {"up_command", u16, hex},
                                                    {"up_argument", u16},
                                                    {"down_command", u16, hex},
                                                    {"down_argument", u16}};

constexpr std::uint16_t id(ChunkId value) { return static_cast<std::uint16_t>(value); }
constexpr std::uint16_t id(ElementId value) { return static_cast<std::uint16_t>(value); }

inline constexpr ChunkLayout root[] = {{kRootChunkId, "root", root_fields, {}}};

inline constexpr ChunkLayout top_level[] = {
    {id(ChunkId::track_list), "track_list", track_list_fields, track_list_entry},
    {id(ChunkId::tray_menu), "tray_menu", tray_menu_fields, tray_menu_entry},
    {id(ChunkId::font_file), "font_file", font_file_fields, {}},
    {id(ChunkId::font), "font", font_fields, {}},
    {id(ChunkId::start_page), "start_page", start_page_fields, {}},
    {id(ChunkId::timing), "timing", timing_fields, {}},
    {id(ChunkId::page), "page", page_fields, {}, true},
    {id(ChunkId::string_mapping), "string_mapping", string_mapping_fields, string_mapping_entry},
    {id(ChunkId::plugin), "plugin", plugin_fields, {}},
};

inline constexpr ChunkLayout element[] = {
    {id(ElementId::button), "button", button_fields, {}},
    {id(ElementId::key_binding), "key_binding", key_binding_fields, {}},
    {id(ElementId::lamp), "lamp", lamp_fields, {}},
    {id(ElementId::click_command), "click_command", command_fields, {}},
    {id(ElementId::right_click_command), "right_click_command", command_fields, {}},
    {id(ElementId::enter_command), "enter_command", command_fields, {}},
    {id(ElementId::leave_command), "leave_command", command_fields, {}},
    {id(ElementId::track_list_view), "track_list_view", track_list_view_fields, {}},
    {id(ElementId::slider), "slider", slider_fields, {}},
    {id(ElementId::text_browser), "text_browser", text_browser_fields, {}},
    {id(ElementId::text_item), "text_item", text_item_fields, {}},
    {id(ElementId::timer), "timer", timer_fields, {}},
    {id(ElementId::plugin_attachment), "plugin_attachment", plugin_attachment_fields, {}},
    {id(ElementId::wheel_area), "wheel_area", wheel_area_fields, {}},
};

} // namespace config_layout_detail

// Where a chunk stands: the root chunk itself, directly inside the root, or inside a page.
enum class ChunkLevel : std::uint8_t { root, top, element };

// The chunks known at `level`, in id order.
constexpr std::span<const ChunkLayout> layouts_at(ChunkLevel level)
{
    switch (level) {
    case ChunkLevel::root: return config_layout_detail::root;
    case ChunkLevel::top: return config_layout_detail::top_level;
    case ChunkLevel::element: return config_layout_detail::element;
    }
    return {};
}

inline constexpr const ChunkLayout& kRootLayout = config_layout_detail::root[0];

// The layout of `id` at `level`, or null when the id is unknown there (an element id at top
// level and a top-level id inside a page are unknown).
constexpr const ChunkLayout* find_layout(ChunkLevel level, std::uint16_t id)
{
    for (const ChunkLayout& layout : layouts_at(level))
        if (layout.id == id)
            return &layout;
    return nullptr;
}

// The layout called `name` at any level (the root included), or null.
constexpr const ChunkLayout* find_layout_named(std::string_view name)
{
    for (ChunkLevel level : {ChunkLevel::root, ChunkLevel::top, ChunkLevel::element})
        for (const ChunkLayout& layout : layouts_at(level))
            if (layout.name == name)
                return &layout;
    return nullptr;
}

// The layout of a known id; usable in constant expressions.
constexpr const ChunkLayout& layout_of(ChunkId id) { return *find_layout(ChunkLevel::top, static_cast<std::uint16_t>(id)); }
constexpr const ChunkLayout& layout_of(ElementId id)
{
    return *find_layout(ChunkLevel::element, static_cast<std::uint16_t>(id));
}

// Index of the field called `name` in `fields`; in a constant expression a wrong name does not
// compile. Throws std::out_of_range at run time.
constexpr std::size_t field_index(std::span<const FieldLayout> fields, std::string_view name)
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name == name)
            return i;
    throw std::out_of_range("no field named " + std::string(name));
}

// Bytes a fixed-size field takes; 0 for a string, whose size depends on its text.
constexpr std::uint32_t fixed_field_size(FieldType type)
{
    switch (type) {
    case FieldType::u8: return 1;
    case FieldType::u16: return 2;
    case FieldType::u32: return 4;
    case FieldType::rect: return 16;
    case FieldType::string: return 0;
    }
    return 0;
}
