// SPDX-License-Identifier: GPL-3.0-or-later
// SniTray: the tray icon as a StatusNotifierItem on the session bus: the object
// /StatusNotifierItem (org.kde.StatusNotifierItem: the program's icon as a pixmap, the tip,
// the menu's path) and the menu object (DbusMenu) on a private connection, under the name
// org.kde.StatusNotifierItem-<pid>-1 while the icon is shown. Showing registers that name with
// org.kde.StatusNotifierWatcher; removing gives the name up, which takes the item off every
// host. Activate adds a left tray_click to `events`, ContextMenu a right one. poll() handles
// what arrived without blocking. Not copyable or movable (libdbus holds its address).
// UI thread only.
#pragma once

#include "platform/event.h"
#include "platform/linux_services/dbus_menu.h"
#include "platform/linux_services/dbus_session.h"

#include <dbus/dbus.h>

#include <deque>
#include <memory>
#include <string>

class SniTray {
public:
    // Connects to the session bus; nullptr when there is none.
    static std::unique_ptr<SniTray> connect(std::deque<Event>& events);
    SniTray(PrivateBusConnection connection, std::deque<Event>& events);
    ~SniTray();
    SniTray(const SniTray&) = delete;
    SniTray& operator=(const SniTray&) = delete;

    // True when a StatusNotifierWatcher runs on the bus (asks the bus, blocking briefly).
    bool watcher_present();
    // Shows the item with `tip` (a skin byte string), or updates the tip of the shown item.
    void show(const std::string& tip);
    // Takes the item off the bus; harmless when it is not shown.
    void remove();
    bool shown() const { return shown_; }
    void set_menu(std::span<const TrayMenuEntry> entries);
    // Reads and handles every message that has arrived; never blocks.
    void poll();
    // The socket to watch for what poll() handles, or -1.
    int socket() const;

private:
    static DBusHandlerResult on_message(DBusConnection* connection, DBusMessage* message, void* self);
    DBusMessage* handle_item(DBusMessage* call);
    void emit(const char* signal);

    PrivateBusConnection connection_;
    std::deque<Event>& events_;
    DbusMenu menu_;
    std::string name_;
    std::string tip_; // UTF-8
    bool shown_ = false;
};
