// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/dbus_values.h"

#include <cstring>

namespace dbus_values {

void append_string(DBusMessageIter* iter, const std::string& value)
{
    const char* text = value.c_str();
    dbus_message_iter_append_basic(iter, DBUS_TYPE_STRING, &text);
}

void append_object_path(DBusMessageIter* iter, const char* path)
{
    dbus_message_iter_append_basic(iter, DBUS_TYPE_OBJECT_PATH, &path);
}

void append_int32(DBusMessageIter* iter, std::int32_t value)
{
    const dbus_int32_t v = value;
    dbus_message_iter_append_basic(iter, DBUS_TYPE_INT32, &v);
}

void append_uint32(DBusMessageIter* iter, std::uint32_t value)
{
    const dbus_uint32_t v = value;
    dbus_message_iter_append_basic(iter, DBUS_TYPE_UINT32, &v);
}

void append_bool(DBusMessageIter* iter, bool value)
{
    const dbus_bool_t v = value ? TRUE : FALSE;
    dbus_message_iter_append_basic(iter, DBUS_TYPE_BOOLEAN, &v);
}

void append_int64(DBusMessageIter* iter, std::int64_t value)
{
    const dbus_int64_t v = value;
    dbus_message_iter_append_basic(iter, DBUS_TYPE_INT64, &v);
}

void append_double(DBusMessageIter* iter, double value)
{
    dbus_message_iter_append_basic(iter, DBUS_TYPE_DOUBLE, &value);
}

void append_container(DBusMessageIter* iter, int type, const char* signature, const Writer& body)
{
    DBusMessageIter inner;
    dbus_message_iter_open_container(iter, type, signature, &inner);
    body(&inner);
    dbus_message_iter_close_container(iter, &inner);
}

void append_variant(DBusMessageIter* iter, const char* signature, const Writer& value)
{
    append_container(iter, DBUS_TYPE_VARIANT, signature, value);
}

void append_property(DBusMessageIter* dict, const std::string& key, const char* signature, const Writer& value)
{
    append_container(dict, DBUS_TYPE_DICT_ENTRY, nullptr, [&](DBusMessageIter* entry) {
        append_string(entry, key);
        append_variant(entry, signature, value);
    });
}

const char* properties_interface(DBusMessage* call)
{
    if (!dbus_message_has_interface(call, DBUS_INTERFACE_PROPERTIES))
        return nullptr;
    DBusMessageIter args;
    if (!dbus_message_iter_init(call, &args) || dbus_message_iter_get_arg_type(&args) != DBUS_TYPE_STRING)
        return nullptr;
    const char* name = nullptr;
    dbus_message_iter_get_basic(&args, &name);
    return name;
}

DBusMessage* properties_reply(DBusMessage* call, const char* interface, std::span<const Property> properties)
{
    const char* asked_interface = nullptr;
    const char* name = nullptr;
    const bool get_all = dbus_message_is_method_call(call, DBUS_INTERFACE_PROPERTIES, "GetAll");
    const bool read = get_all ? dbus_message_get_args(call, nullptr, DBUS_TYPE_STRING, &asked_interface,
                                                      DBUS_TYPE_INVALID)
                              : dbus_message_is_method_call(call, DBUS_INTERFACE_PROPERTIES, "Get") &&
                                    dbus_message_get_args(call, nullptr, DBUS_TYPE_STRING, &asked_interface,
                                                          DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID);
    if (!read)
        return dbus_message_new_error(call, DBUS_ERROR_UNKNOWN_METHOD, "unknown method");
    if (std::strcmp(asked_interface, interface) != 0)
        return dbus_message_new_error(call, DBUS_ERROR_UNKNOWN_INTERFACE, "unknown interface");
    DBusMessage* reply = dbus_message_new_method_return(call);
    DBusMessageIter body;
    dbus_message_iter_init_append(reply, &body);
    if (get_all) {
        append_container(&body, DBUS_TYPE_ARRAY, "{sv}", [&](DBusMessageIter* dict) {
            for (const Property& property : properties)
                append_property(dict, property.name, property.signature, property.value);
        });
        return reply;
    }
    for (const Property& property : properties) {
        if (std::strcmp(property.name, name) == 0) {
            append_variant(&body, property.signature, property.value);
            return reply;
        }
    }
    dbus_message_unref(reply);
    return dbus_message_new_error(call, DBUS_ERROR_UNKNOWN_PROPERTY, "unknown property");
}

} // namespace dbus_values
