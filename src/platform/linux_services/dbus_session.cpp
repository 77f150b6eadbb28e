// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/dbus_session.h"

void DbusConnectionCloser::operator()(DBusConnection* connection) const
{
    dbus_connection_close(connection);
    dbus_connection_unref(connection);
}

PrivateBusConnection connect_session_bus()
{
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* connection = dbus_bus_get_private(DBUS_BUS_SESSION, &error);
    dbus_error_free(&error);
    if (connection)
        dbus_connection_set_exit_on_disconnect(connection, FALSE); // a lost bus must not end the player
    return PrivateBusConnection(connection);
}

int bus_socket(DBusConnection* connection)
{
    int socket = -1;
    if (!dbus_connection_get_is_connected(connection) || !dbus_connection_get_socket(connection, &socket))
        return -1;
    return socket;
}

void dispatch_arrived(DBusConnection* connection)
{
    dbus_connection_read_write(connection, 0);
    while (dbus_connection_dispatch(connection) == DBUS_DISPATCH_DATA_REMAINS) {
    }
}
