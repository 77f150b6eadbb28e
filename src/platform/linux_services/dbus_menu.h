// SPDX-License-Identifier: GPL-3.0-or-later
// DbusMenu: the tray menu exported as a com.canonical.dbusmenu object, which the
// StatusNotifierItem host reads and draws itself. A "clicked" event on an item adds a
// tray_menu_choice event with the item's menu id to `events`. The connection is borrowed.
// UI thread only.
#pragma once

#include "platform/event.h"
#include "platform/linux_services/dbus_menu_layout.h"

#include <dbus/dbus.h>

#include <deque>
#include <span>
#include <string>
#include <vector>

class DbusMenu {
public:
    static constexpr const char* object_path = "/MenuBar";
    static constexpr const char* interface = "com.canonical.dbusmenu";

    explicit DbusMenu(std::deque<Event>& events) : events_(events) {}

    // Replaces the menu and, with a connection, announces the new layout (LayoutUpdated).
    void set_entries(std::span<const TrayMenuEntry> entries, DBusConnection* connection);

    // The reply to a method call on the menu object (owned by the caller).
    DBusMessage* handle(DBusMessage* call);

private:
    DBusMessage* get_layout(DBusMessage* call);
    DBusMessage* get_group_properties(DBusMessage* call);
    DBusMessage* get_property(DBusMessage* call);
    DBusMessage* event(DBusMessage* call);
    DBusMessage* event_group(DBusMessage* call);
    DBusMessage* about_to_show_group(DBusMessage* call);
    // Handles one "clicked" (or other) event; false when `id` names no item.
    bool take_event(std::int32_t id, const char* event_id);
    // Writes item `id` (the root when 0) as (ia{sv}av), with children down to `depth` levels
    // (-1: all), giving only the `names` properties (empty: all).
    void write_item(DBusMessageIter* iter, std::int32_t id, std::int32_t depth,
                    const std::vector<std::string>& names) const;
    void write_properties(DBusMessageIter* iter, std::int32_t id, const std::vector<std::string>& names) const;

    std::deque<Event>& events_;
    DbusMenuLayout layout_;
};
