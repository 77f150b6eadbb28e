// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/config_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(ConfigLayout, IdsAreUniquePerLevelAndNamesOverall)
{
    std::set<std::string> names;
    for (ChunkLevel level : {ChunkLevel::root, ChunkLevel::top, ChunkLevel::element}) {
        std::set<std::uint16_t> ids;
        for (const ChunkLayout& layout : layouts_at(level)) {
            EXPECT_TRUE(ids.insert(layout.id).second) << layout.name;
            EXPECT_TRUE(names.insert(std::string(layout.name)).second) << layout.name;
            EXPECT_EQ(find_layout(level, layout.id), &layout);
            EXPECT_EQ(find_layout_named(layout.name), &layout);
            std::set<std::string_view> fields;
            for (const FieldLayout& field : layout.fields)
                EXPECT_TRUE(fields.insert(field.name).second) << layout.name << "." << field.name;
        }
    }
    EXPECT_EQ(find_layout(ChunkLevel::top, 0x4010), nullptr) << "an element id is unknown at top level";
    EXPECT_EQ(find_layout(ChunkLevel::element, 0x4000), nullptr) << "the page id is unknown inside a page";
    EXPECT_EQ(find_layout_named("nothing"), nullptr);
}

TEST(ConfigLayout, ChunksWithEntriesEndTheirFieldsWithTheCount)
{
    int with_entries = 0;
    for (ChunkLevel level : {ChunkLevel::root, ChunkLevel::top, ChunkLevel::element}) {
        for (const ChunkLayout& layout : layouts_at(level)) {
            if (layout.entry_fields.empty())
                continue;
            ++with_entries;
            ASSERT_FALSE(layout.fields.empty()) << layout.name;
            EXPECT_EQ(layout.fields.back().name, "count") << layout.name;
            EXPECT_EQ(layout.fields.back().type, FieldType::u16) << layout.name;
        }
    }
    EXPECT_EQ(with_entries, 3) << "track list, tray menu and string mapping";
    EXPECT_TRUE(layout_of(ChunkId::page).has_elements);
    EXPECT_THROW(field_index(layout_of(ChunkId::page).fields, "title"), std::out_of_range);
}

} // namespace
