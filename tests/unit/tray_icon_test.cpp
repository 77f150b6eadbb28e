// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tray_icon.h"
#include "base/command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records the menus it is given.
class MenuRecorder final : public Tray {
public:
    void show_icon(const std::string&) override {}
    void remove_icon() override {}
    void pop_menu(std::span<const TrayMenuEntry>) override {}
    void set_menu(std::span<const TrayMenuEntry> entries) override { menus.emplace_back(entries.begin(), entries.end()); }

    std::vector<std::vector<TrayMenuEntry>> menus;
};

TEST(TrayIcon, HandsThePlatformTheMenuOncePublishedRestoreItemFirstThenItemsInConfigurationOrder)
{
    MenuRecorder tray;
    const std::string tip = "vorlunde";
    TrayIcon icon(tray, tip);
    ASSERT_EQ(tray.menus.size(), 1u);
    ASSERT_EQ(tray.menus[0].size(), 1u);
    EXPECT_EQ(tray.menus[0][0].id, command_value(CommandId::restore_from_tray));
    EXPECT_EQ(tray.menus[0][0].text, "Przywr\xf3\xe6");
    EXPECT_TRUE(tray.menus[0][0].is_default);

    icon.add_menu_item("first", command_of(CommandId::play_current, 1));
    icon.add_menu_item("second", command_of(CommandId::stop_current, 2));
    EXPECT_EQ(tray.menus.size(), 1u) << "items are handed over together";
    icon.publish_menu();
    ASSERT_EQ(tray.menus.size(), 2u);
    const std::vector<TrayMenuEntry>& last = tray.menus.back();
    ASSERT_EQ(last.size(), 3u);
    EXPECT_EQ(last[1].text, "first");
    EXPECT_EQ(last[1].id, command_value(CommandId::play_current));
    EXPECT_FALSE(last[1].is_default);
    EXPECT_EQ(last[2].text, "second");
    EXPECT_EQ(last[2].id, command_value(CommandId::stop_current));
}

} // namespace
