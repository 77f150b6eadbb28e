// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/dbus_menu_layout.h"
#include "platform/linux_services/popup_placement.h"
#include "platform/linux_services/tray_chooser.h"
#include "platform/linux_services/ucs2_text.h"

#include <gtest/gtest.h>

#include <array>

namespace {

const std::array<TrayMenuEntry, 4> menu{{
    {0xfffc, "Przywr\xf3\xe6", true},
    {0x1001, "a_b", false},
    {0x0000, "zero", false},
    {0x1001, "again", false}, // a repeated menu id
}};

TEST(TrayChooser, PrefersTheWatcherThenTheXTrayElseNothing)
{
    EXPECT_EQ(choose_tray_kind({.status_notifier_watcher = true, .xembed_tray = true}), TrayKind::status_notifier);
    EXPECT_EQ(choose_tray_kind({.status_notifier_watcher = true, .xembed_tray = false}), TrayKind::status_notifier);
    EXPECT_EQ(choose_tray_kind({.status_notifier_watcher = false, .xembed_tray = true}), TrayKind::xembed);
    EXPECT_EQ(choose_tray_kind({.status_notifier_watcher = false, .xembed_tray = false}), TrayKind::none);
}

TEST(DbusMenuLayout, NumbersEntriesFromOneWithUtf8LabelsAndEscapedUnderscores)
{
    DbusMenuLayout layout;
    layout.set_entries(menu);
    ASSERT_EQ(layout.items().size(), 4u);
    EXPECT_EQ(layout.items()[0].id, 1);
    EXPECT_EQ(layout.items()[0].label, "Przywr\xc3\xb3\xc4\x87");
    EXPECT_TRUE(layout.items()[0].is_default);
    EXPECT_EQ(layout.items()[1].label, "a__b");
    EXPECT_FALSE(layout.items()[1].is_default);
    EXPECT_EQ(layout.items()[3].id, 4);
}

TEST(DbusMenuLayout, MapsItemIdsBackToMenuIdsAndRefusesTheRootAndUnknownIds)
{
    DbusMenuLayout layout;
    layout.set_entries(menu);
    EXPECT_EQ(layout.menu_id_of(1), 0xfffc);
    EXPECT_EQ(layout.menu_id_of(2), 0x1001);
    EXPECT_EQ(layout.menu_id_of(3), 0x0000);
    EXPECT_EQ(layout.menu_id_of(4), 0x1001);
    for (const std::int32_t id : {0, 5, -1})
        EXPECT_FALSE(layout.menu_id_of(id)) << id;
    EXPECT_EQ(layout.item(0), nullptr);
}

TEST(DbusMenuLayout, EveryChangeRaisesTheRevision)
{
    DbusMenuLayout layout;
    layout.set_entries(menu);
    const std::uint32_t first = layout.revision();
    layout.set_entries(std::span(menu).first(1));
    EXPECT_GT(layout.revision(), first);
    EXPECT_EQ(layout.items().size(), 1u);
    EXPECT_FALSE(layout.menu_id_of(2));
}

TEST(Ucs2Text, DecodesUtf8AndReplacesWhatAFontCannotHold)
{
    EXPECT_EQ(ucs2_of_utf8("Przywr\xc3\xb3\xc4\x87"), u"Przywr\u00f3\u0107");
    EXPECT_EQ(ucs2_of_utf8("\xe2\x82\xac"), u"\u20ac");
    EXPECT_EQ(ucs2_of_utf8("\xf0\x9f\x8e\xb5x"), u"\ufffdx"); // outside the basic plane
    EXPECT_EQ(ucs2_of_utf8("a\x80z"), u"a\ufffdz");            // continuation without a lead
    EXPECT_EQ(ucs2_of_utf8("a\xc3"), u"a\ufffd");              // cut short
    EXPECT_EQ(ucs2_of_utf8("\xc3z"), u"\ufffdz");
}

struct OriginCase {
    std::int32_t pointer_x, pointer_y, width, height;
    std::int32_t x, y;
};

TEST(PopupPlacement, RightEdgeAtThePointerAndKeptOnTheScreen)
{
    const std::vector<OriginCase> cases{
        {500, 300, 100, 60, 400, 300}, // right-aligned, top at the pointer
        {50, 300, 100, 60, 0, 300},    // would leave on the left
        {500, 740, 100, 60, 400, 680}, // no room below: above the pointer
        {500, 20, 100, 760, 400, 0},   // no room either way: top at the screen's top
        {1024, 0, 100, 60, 924, 0},
    };
    for (const OriginCase& c : cases) {
        const PopupOrigin origin = popup_origin(c.pointer_x, c.pointer_y, c.width, c.height, 1024, 768);
        EXPECT_EQ(origin.x, c.x) << c.pointer_x << "," << c.pointer_y;
        EXPECT_EQ(origin.y, c.y) << c.pointer_x << "," << c.pointer_y;
    }
}

TEST(PopupPlacement, FindsTheRowUnderThePointerOnlyInsideTheRows)
{
    // 3 rows of 20 pixels below 3 pixels of padding, 80 wide.
    EXPECT_EQ(popup_row_at(10, 3, 80, 3, 20, 3), 0u);
    EXPECT_EQ(popup_row_at(79, 22, 80, 3, 20, 3), 0u);
    EXPECT_EQ(popup_row_at(0, 23, 80, 3, 20, 3), 1u);
    EXPECT_EQ(popup_row_at(0, 62, 80, 3, 20, 3), 2u);
    EXPECT_FALSE(popup_row_at(10, 2, 80, 3, 20, 3));  // top padding
    EXPECT_FALSE(popup_row_at(10, 63, 80, 3, 20, 3)); // bottom padding
    EXPECT_FALSE(popup_row_at(-1, 10, 80, 3, 20, 3));
    EXPECT_FALSE(popup_row_at(80, 10, 80, 3, 20, 3));
    EXPECT_FALSE(popup_row_at(10, 10, 80, 3, 20, 0));
}

} // namespace
