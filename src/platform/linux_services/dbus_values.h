// SPDX-License-Identifier: GPL-3.0-or-later
// Small helpers for writing D-Bus message bodies with libdbus, and the standard Properties
// interface (Get, GetAll) over a fixed table of read-only properties. Allocation failures of
// libdbus are not checked (it aborts on them). Used by the tray's and the media remote's D-Bus objects.
#pragma once

#include <dbus/dbus.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace dbus_values {

// Writes one value into a message body or container.
using Writer = std::function<void(DBusMessageIter*)>;

void append_string(DBusMessageIter* iter, const std::string& value);
void append_object_path(DBusMessageIter* iter, const char* path);
void append_int32(DBusMessageIter* iter, std::int32_t value);
void append_uint32(DBusMessageIter* iter, std::uint32_t value);
void append_bool(DBusMessageIter* iter, bool value);
void append_int64(DBusMessageIter* iter, std::int64_t value);
void append_double(DBusMessageIter* iter, double value);

// A container of `type` (DBUS_TYPE_ARRAY, _STRUCT, _VARIANT or _DICT_ENTRY); `signature` is
// the element's (arrays) or content's (variants) signature, nullptr for structs and entries.
void append_container(DBusMessageIter* iter, int type, const char* signature, const Writer& body);
// A variant holding one value of `signature`.
void append_variant(DBusMessageIter* iter, const char* signature, const Writer& value);
// One {sv} entry of an a{sv} dictionary.
void append_property(DBusMessageIter* dict, const std::string& key, const char* signature, const Writer& value);

// One read-only property: its name, D-Bus signature and value.
struct Property {
    const char* name;
    const char* signature;
    Writer value;
};

// The interface a org.freedesktop.DBus.Properties call (Get, GetAll or Set) names, or
// nullptr when the call is not one of them.
const char* properties_interface(DBusMessage* call);

// The reply to a org.freedesktop.DBus.Properties call (Get or GetAll) on `interface`'s
// `properties`, or an error reply (unknown interface, property or method); owned by the caller.
DBusMessage* properties_reply(DBusMessage* call, const char* interface, std::span<const Property> properties);

} // namespace dbus_values
