// SPDX-License-Identifier: GPL-3.0-or-later
// A private connection of our own to the session bus, shared by the tray's and the media
// remote's D-Bus objects: opened without blocking on a missing bus, never ending the process
// when the bus goes away, closed by its owner. UI thread only.
#pragma once

#include <dbus/dbus.h>

#include <memory>

struct DbusConnectionCloser {
    void operator()(DBusConnection* connection) const;
};
using PrivateBusConnection = std::unique_ptr<DBusConnection, DbusConnectionCloser>;

// The session bus, or nullptr when there is none.
PrivateBusConnection connect_session_bus();
// Reads and handles every message that has arrived; never blocks.
void dispatch_arrived(DBusConnection* connection);
// The socket on which messages arrive, or -1 once the connection is closed.
int bus_socket(DBusConnection* connection);
