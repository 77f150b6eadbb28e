// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/message_router.h"
#include "platform/headless/headless_tray.h"
#include "platform/headless/headless_window.h"
#include "platform/headless/manual_clock.h"
#include "app/command_queue.h"
#include "shell_mocks.h"

#include <gtest/gtest.h>

namespace {

using testing::InSequence;
using testing::Return;

struct Fixture {
    ShellState shell;
    ManualClock clock{1234};
    FakePages pages;
    CallLog log;
    HeadlessTray tray_platform{log};
    TrayIcon tray{tray_platform, shell.tray_tip};
    HeadlessWindow window{WindowSpec{"t", 100, 50, 600, 510}, false, log};
    CommandQueue queue;
    testing::StrictMock<MockShellWindow> shell_window;
    MessageRouter router{{shell, clock, pages, tray, window, queue, shell_window}};

    Fixture() { log.clear(); }

    testing::StrictMock<MockPage>& current(const std::string& name = "p")
    {
        shell.current_page = name;
        return pages.page(name);
    }
    void left_down(int x, int y) { router.route(Event{.kind = EventKind::button_down, .x = x, .y = y}); }
    void left_up(int x, int y) { router.route(Event{.kind = EventKind::button_up, .x = x, .y = y}); }
};

TEST(MessageRouter, WithoutPagesALeftPressMovesTheWindowAndNothingElseHappens)
{
    Fixture f;
    f.left_down(5, 6);
    f.left_up(5, 6);
    f.router.route(Event{.kind = EventKind::mouse_move, .x = 7, .y = 8});
    f.router.route(Event{.kind = EventKind::key_down, .key = 0x41});
    f.router.route(Event{.kind = EventKind::timer_tick});
    f.router.route(Event{.kind = EventKind::wheel, .x = 500, .y = 300, .wheel_delta = 120});
    EXPECT_EQ(f.log, (CallLog{"window move 5 6"}));
    EXPECT_EQ(f.shell.last_mouse_x, 7);
    EXPECT_EQ(f.shell.last_mouse_y, 8);
}

TEST(MessageRouter, APressThePageTakesDoesNotMoveTheWindow)
{
    Fixture f;
    auto& page = f.current();
    EXPECT_CALL(page, on_left_down(10, 20)).WillOnce(Return(true));
    EXPECT_CALL(page, on_left_down(30, 40)).WillOnce(Return(false));
    EXPECT_CALL(page, on_left_up(10, 20));
    f.left_down(10, 20);
    f.left_up(10, 20);
    f.left_down(30, 40);
    EXPECT_EQ(f.log, (CallLog{"window move 30 40"}));
}

TEST(MessageRouter, ACurrentNameNoPageCarriesReachesNoPage)
{
    Fixture f;
    f.pages.page("other");
    f.shell.current_page = "gone";
    f.left_down(1, 2);
    f.router.route(Event{.kind = EventKind::key_up, .key = 0x20});
    EXPECT_EQ(f.log, (CallLog{"window move 1 2"}));
}

TEST(MessageRouter, WhileInTheTrayLeftPressesAndReleasesAreIgnored)
{
    Fixture f;
    auto& page = f.current();
    f.tray.show_in_tray(true);
    f.log.clear();
    EXPECT_CALL(page, on_mouse_move(3, 4, key_state_shift));
    EXPECT_CALL(page, on_key_down(0x25));
    EXPECT_CALL(page, on_timer(1234));
    f.left_down(3, 4);
    f.left_up(3, 4);
    f.router.route(Event{.kind = EventKind::mouse_move, .x = 3, .y = 4, .key_state = key_state_shift});
    f.router.route(Event{.kind = EventKind::key_down, .key = 0x25});
    f.router.route(Event{.kind = EventKind::timer_tick});
    EXPECT_TRUE(f.log.empty());
}

TEST(MessageRouter, RoutesEachEventToItsHandler)
{
    Fixture f;
    auto& page = f.current();
    {
        InSequence order;
        EXPECT_CALL(page, on_focus());
        EXPECT_CALL(page, on_key_down(0x41));
        EXPECT_CALL(page, on_key_up(0x41));
        EXPECT_CALL(page, on_right_down());
        EXPECT_CALL(page, on_wheel(400, 250, -240));
        EXPECT_CALL(page, on_left_down(9, 9)).WillOnce(Return(true));
        EXPECT_CALL(page, on_double_click(9, 9));
        EXPECT_CALL(page, on_left_up(9, 9));
    }
    f.router.route(Event{.kind = EventKind::focus_gained});
    f.router.route(Event{.kind = EventKind::key_down, .key = 0x41});
    f.router.route(Event{.kind = EventKind::key_up, .key = 0x41});
    f.router.route(Event{.kind = EventKind::button_down, .button = MouseButton::right, .x = 1, .y = 1});
    f.router.route(Event{.kind = EventKind::button_up, .button = MouseButton::right, .x = 1, .y = 1});
    f.router.route(Event{.kind = EventKind::wheel, .x = 500, .y = 300, .wheel_delta = -240});
    f.left_down(9, 9);
    f.router.route(Event{.kind = EventKind::double_click, .x = 9, .y = 9});
    f.left_up(9, 9);
}

TEST(MessageRouter, TheWheelIsRelativeToWhereTheWindowIsNow)
{
    Fixture f;
    auto& page = f.current();
    f.window.move_to(-20, 300);
    EXPECT_CALL(page, on_wheel(20, 0, 120));
    f.router.route(Event{.kind = EventKind::wheel, .x = 0, .y = 300, .wheel_delta = 120});
}

TEST(MessageRouter, CloseRequestQuits)
{
    Fixture f;
    EXPECT_CALL(f.shell_window, quit());
    f.router.route(Event{.kind = EventKind::close_request});
}

TEST(MessageRouter, TrayIconClicksAndMenu)
{
    Fixture f;
    f.tray.add_menu_item("first", command_of(CommandId::play_current, 1));
    f.tray.add_menu_item("second", command_of(CommandId::stop_current, 2));
    f.router.route(Event{.kind = EventKind::tray_click, .button = MouseButton::left});
    EXPECT_EQ(f.queue.take(), command_of(CommandId::restore_from_tray));
    f.router.route(Event{.kind = EventKind::tray_click, .button = MouseButton::right});
    const auto& menu = f.tray_platform.last_menu();
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[0].id, command_value(CommandId::restore_from_tray));
    EXPECT_EQ(menu[0].text, "Przywr\xf3\xe6");
    EXPECT_TRUE(menu[0].is_default);
    EXPECT_EQ(menu[1].text, "first");
    EXPECT_EQ(menu[2].text, "second");
    EXPECT_EQ(f.queue.size(), 0u);
}

TEST(MessageRouter, AMenuChoicePostsEveryItemWithThatId)
{
    Fixture f;
    f.tray.add_menu_item("a", command_of(CommandId::set_current_volume, 10));
    f.tray.add_menu_item("b", command_of(CommandId::set_secondary_volume, 20));
    f.tray.add_menu_item("c", command_of(CommandId::set_current_volume, 30));
    f.tray.add_menu_item("d", command_of(CommandId::restore_from_tray, 40));
    f.router.route(Event{.kind = EventKind::tray_menu_choice, .menu_id = command_value(CommandId::set_current_volume)});
    EXPECT_EQ(f.queue.take(), command_of(CommandId::set_current_volume, 10)) << "the item list is walked newest first";
    EXPECT_EQ(f.queue.take(), command_of(CommandId::set_current_volume, 30));
    EXPECT_EQ(f.queue.take(), std::nullopt);
    f.router.route(Event{.kind = EventKind::tray_menu_choice, .menu_id = command_value(CommandId::restore_from_tray)});
    EXPECT_EQ(f.queue.take(), command_of(CommandId::restore_from_tray))
        << "the restore id never posts an item's argument";
    EXPECT_EQ(f.queue.take(), std::nullopt);
}

} // namespace
