// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/config_walker.h"

#include "base/skin_error.h"
#include "config/config_reader.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr std::size_t kTrackListKind = field_index(layout_of(ChunkId::track_list).fields, "kind");
constexpr std::size_t kTrackListCount = field_index(layout_of(ChunkId::track_list).fields, "count");
constexpr std::size_t kViewSelection = field_index(layout_of(ElementId::track_list_view).fields, "selection");
constexpr std::size_t kViewLineHeight = field_index(layout_of(ElementId::track_list_view).fields, "line_height");
constexpr std::size_t kSliderType = field_index(layout_of(ElementId::slider).fields, "slider_type");
constexpr std::size_t kSliderOrientation = field_index(layout_of(ElementId::slider).fields, "orientation");
constexpr std::size_t kAttachmentMode = field_index(layout_of(ElementId::plugin_attachment).fields, "mode");
constexpr std::size_t kMappingCount = field_index(layout_of(ChunkId::string_mapping).fields, "count");
constexpr std::size_t kMappingIndex = field_index(layout_of(ChunkId::string_mapping).entry_fields, "index");

// The checks the format itself makes on a chunk's values, independent of what was built.
void check_chunk(const ChunkRecord& chunk)
{
    if (!chunk.layout) {
        if (chunk.header.length < ChunkHeader::size)
            throw SkinError("config file corrupted, bad chunk length");
        return;
    }
    const ChunkValues& values = chunk.values;
    if (chunk.layout == &layout_of(ChunkId::track_list)) {
        if (values.number(kTrackListKind) > 1 && values.number(kTrackListCount) > 0)
            throw SkinError("config file corrupted, unknown tracklist type");
    } else if (chunk.layout == &layout_of(ElementId::track_list_view)) {
        if (values.number(kViewSelection) != 0 && values.number(kViewLineHeight) != 1)
            throw SkinError("config file corrupted, unknown playlist mode");
    } else if (chunk.layout == &layout_of(ElementId::slider)) {
        if (values.number(kSliderType) > 1 || values.number(kSliderOrientation) > 1)
            throw SkinError("config file corrupted, unknown slider orientation or type");
    } else if (chunk.layout == &layout_of(ElementId::plugin_attachment)) {
        if (values.number(kAttachmentMode) > 1)
            throw SkinError("config file corrupted, unknown plugin mode");
    } else if (chunk.layout == &layout_of(ChunkId::string_mapping)) {
        for (const FieldValues& entry : values.entries)
            if (std::get<std::uint32_t>(entry[kMappingIndex]) >= values.number(kMappingCount))
                throw SkinError("string mapping index out of range");
    }
}

void read_fields(ConfigReader& reader, const ChunkLayout& layout, ChunkValues& values)
{
    values.fields.clear();
    values.entries.clear();
    for (const FieldLayout& field : layout.fields)
        values.fields.push_back(reader.read_field(field.type));
    if (layout.entry_fields.empty())
        return;
    const std::uint32_t count = std::get<std::uint32_t>(values.fields.back());
    for (std::uint32_t i = 0; i < count && !reader.at_end(); ++i) {
        FieldValues& entry = values.entries.emplace_back();
        for (const FieldLayout& field : layout.entry_fields)
            entry.push_back(reader.read_field(field.type));
    }
}

class Walk {
public:
    Walk(std::span<const std::uint8_t> bytes, ConfigVisitor& visitor) : reader_(bytes), visitor_(visitor) {}

    void run()
    {
        record_.header = reader_.read_header();
        if (record_.header.id != kRootChunkId)
            throw SkinError("config file corrupted, first chunk should be 0x0258");
        record_.level = ChunkLevel::root;
        record_.offset = 0;
        record_.layout = &kRootLayout;
        read_fields(reader_, kRootLayout, record_.values);
        visitor_.chunk_read(record_);
        visitor_.chunk_accepted(record_);
        const std::uint32_t length = record_.header.length;
        if (reader_.size() < length)
            visitor_.file_cut_short(reader_.size(), length);
        walk_children(ChunkLevel::top, length);
    }

private:
    // Chunks of `level` from the position up to `end` (exclusive) or the end of the file.
    void walk_children(ChunkLevel level, std::uint64_t end)
    {
        while (reader_.position() < end && reader_.remaining() >= ChunkHeader::size) {
            record_.level = level;
            record_.offset = reader_.position();
            record_.header = reader_.read_header();
            record_.layout = find_layout(level, record_.header.id);
            if (record_.layout) {
                read_fields(reader_, *record_.layout, record_.values);
            } else {
                record_.values.fields.clear();
                record_.values.entries.clear();
            }
            visitor_.chunk_read(record_);
            check_chunk(record_);
            if (!record_.layout)
                reader_.skip(record_.header.length - ChunkHeader::size);
            visitor_.chunk_accepted(record_);
            if (record_.layout && record_.layout->has_elements)
                walk_children(ChunkLevel::element, record_.offset + record_.header.length);
        }
    }

    ConfigReader reader_;
    ConfigVisitor& visitor_;
    ChunkRecord record_;
};

} // namespace

void walk_config(std::span<const std::uint8_t> bytes, ConfigVisitor& visitor)
{
    Walk(bytes, visitor).run();
}

std::string cut_short_message(std::uint64_t size, std::uint32_t length)
{
    return "config file shorter than its header says: " + std::to_string(size) + " of " + std::to_string(length) +
           " bytes";
}

void walk_config_file(const std::filesystem::path& path, ConfigVisitor& visitor)
{
    std::error_code error;
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path, error))
        throw SkinError("can't open config file");
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw SkinError("can't read config file");
    walk_config(bytes, visitor);
}
