// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tray_icon.h"

#include "base/command.h"

TrayIcon::TrayIcon(Tray& tray, const std::string& tip) : tray_(tray), tip_(tip)
{
    tray_.set_menu(menu_entries());
}

void TrayIcon::show_in_tray(bool shown)
{
    if (shown) {
        tray_.show_icon(tip_.substr(0, max_tip_bytes));
        shown_ = tray_.icon_visible();
    } else if (shown_) {
        tray_.remove_icon();
        shown_ = false;
    }
}

void TrayIcon::add_menu_item(std::string text, Command command)
{
    items_.push_front(Item{std::move(text), command});
}

void TrayIcon::publish_menu()
{
    tray_.set_menu(menu_entries());
}

void TrayIcon::show_menu()
{
    tray_.pop_menu(menu_entries());
}

std::vector<TrayMenuEntry> TrayIcon::menu_entries() const
{
    std::vector<TrayMenuEntry> entries;
    entries.reserve(items_.size() + 1);
    entries.push_back(TrayMenuEntry{command_value(CommandId::restore_from_tray), restore_text, true});
    for (auto item = items_.rbegin(); item != items_.rend(); ++item)
        entries.push_back(TrayMenuEntry{item->command.id, item->text, false});
    return entries;
}
