// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/dbus_menu.h"

#include "platform/linux_services/dbus_values.h"

#include <algorithm>
#include <cstring>

using namespace dbus_values;

namespace {

// Reads an array of `type` values at `iter` (as or ai here), each read as `Basic`; empty when
// `iter` holds no array.
template <typename Value, typename Basic>
std::vector<Value> read_array(DBusMessageIter* iter, int type)
{
    std::vector<Value> values;
    if (dbus_message_iter_get_arg_type(iter) != DBUS_TYPE_ARRAY)
        return values;
    DBusMessageIter element;
    dbus_message_iter_recurse(iter, &element);
    while (dbus_message_iter_get_arg_type(&element) == type) {
        Basic value{};
        dbus_message_iter_get_basic(&element, &value);
        values.emplace_back(value);
        dbus_message_iter_next(&element);
    }
    return values;
}

std::vector<std::string> read_strings(DBusMessageIter* iter)
{
    return read_array<std::string, const char*>(iter, DBUS_TYPE_STRING);
}

std::vector<std::int32_t> read_ids(DBusMessageIter* iter)
{
    return read_array<std::int32_t, dbus_int32_t>(iter, DBUS_TYPE_INT32);
}

bool wanted(const std::vector<std::string>& names, const char* name)
{
    return names.empty() || std::ranges::find(names, name) != names.end();
}

DBusMessage* invalid_args(DBusMessage* call)
{
    return dbus_message_new_error(call, DBUS_ERROR_INVALID_ARGS, "invalid arguments");
}

} // namespace

void DbusMenu::set_entries(std::span<const TrayMenuEntry> entries, DBusConnection* connection)
{
    layout_.set_entries(entries);
    if (!connection)
        return;
    DBusMessage* signal = dbus_message_new_signal(object_path, interface, "LayoutUpdated");
    DBusMessageIter body;
    dbus_message_iter_init_append(signal, &body);
    append_uint32(&body, layout_.revision());
    append_int32(&body, DbusMenuLayout::root_id);
    dbus_connection_send(connection, signal, nullptr);
    dbus_message_unref(signal);
}

DBusMessage* DbusMenu::handle(DBusMessage* call)
{
    if (dbus_message_has_interface(call, DBUS_INTERFACE_PROPERTIES)) {
        const Property properties[] = {
            {"Version", "u", [](DBusMessageIter* i) { append_uint32(i, 3); }},
            {"TextDirection", "s", [](DBusMessageIter* i) { append_string(i, "ltr"); }},
            {"Status", "s", [](DBusMessageIter* i) { append_string(i, "normal"); }},
            {"IconThemePath", "as", [](DBusMessageIter* i) { append_container(i, DBUS_TYPE_ARRAY, "s", [](auto*) {}); }},
        };
        return properties_reply(call, interface, properties);
    }
    if (dbus_message_is_method_call(call, interface, "GetLayout"))
        return get_layout(call);
    if (dbus_message_is_method_call(call, interface, "GetGroupProperties"))
        return get_group_properties(call);
    if (dbus_message_is_method_call(call, interface, "GetProperty"))
        return get_property(call);
    if (dbus_message_is_method_call(call, interface, "Event"))
        return event(call);
    if (dbus_message_is_method_call(call, interface, "EventGroup"))
        return event_group(call);
    if (dbus_message_is_method_call(call, interface, "AboutToShow")) {
        DBusMessage* reply = dbus_message_new_method_return(call);
        DBusMessageIter body;
        dbus_message_iter_init_append(reply, &body);
        append_bool(&body, false);
        return reply;
    }
    if (dbus_message_is_method_call(call, interface, "AboutToShowGroup"))
        return about_to_show_group(call);
    return dbus_message_new_error(call, DBUS_ERROR_UNKNOWN_METHOD, "unknown method");
}

DBusMessage* DbusMenu::get_layout(DBusMessage* call)
{
    DBusMessageIter args;
    dbus_int32_t parent = 0;
    dbus_int32_t depth = 0;
    if (!dbus_message_iter_init(call, &args) || dbus_message_iter_get_arg_type(&args) != DBUS_TYPE_INT32)
        return invalid_args(call);
    dbus_message_iter_get_basic(&args, &parent);
    dbus_message_iter_next(&args);
    if (dbus_message_iter_get_arg_type(&args) != DBUS_TYPE_INT32)
        return invalid_args(call);
    dbus_message_iter_get_basic(&args, &depth);
    dbus_message_iter_next(&args);
    const std::vector<std::string> names = read_strings(&args);
    if (parent != DbusMenuLayout::root_id && !layout_.item(parent))
        return invalid_args(call);
    DBusMessage* reply = dbus_message_new_method_return(call);
    DBusMessageIter body;
    dbus_message_iter_init_append(reply, &body);
    append_uint32(&body, layout_.revision());
    write_item(&body, parent, depth, names);
    return reply;
}

DBusMessage* DbusMenu::get_group_properties(DBusMessage* call)
{
    DBusMessageIter args;
    if (!dbus_message_iter_init(call, &args))
        return invalid_args(call);
    std::vector<std::int32_t> ids = read_ids(&args);
    dbus_message_iter_next(&args);
    const std::vector<std::string> names = read_strings(&args);
    if (ids.empty()) {
        for (const DbusMenuItem& item : layout_.items())
            ids.push_back(item.id);
    }
    DBusMessage* reply = dbus_message_new_method_return(call);
    DBusMessageIter body;
    dbus_message_iter_init_append(reply, &body);
    append_container(&body, DBUS_TYPE_ARRAY, "(ia{sv})", [&](DBusMessageIter* array) {
        for (const std::int32_t id : ids) {
            if (id != DbusMenuLayout::root_id && !layout_.item(id))
                continue;
            append_container(array, DBUS_TYPE_STRUCT, nullptr, [&](DBusMessageIter* entry) {
                append_int32(entry, id);
                write_properties(entry, id, names);
            });
        }
    });
    return reply;
}

DBusMessage* DbusMenu::get_property(DBusMessage* call)
{
    dbus_int32_t id = 0;
    const char* name = nullptr;
    if (!dbus_message_get_args(call, nullptr, DBUS_TYPE_INT32, &id, DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID))
        return invalid_args(call);
    const DbusMenuItem* item = layout_.item(id);
    if (!item || (std::strcmp(name, "label") != 0 && std::strcmp(name, "enabled") != 0 &&
                  std::strcmp(name, "visible") != 0))
        return invalid_args(call);
    DBusMessage* reply = dbus_message_new_method_return(call);
    DBusMessageIter body;
    dbus_message_iter_init_append(reply, &body);
    if (std::strcmp(name, "label") == 0)
        append_variant(&body, "s", [&](DBusMessageIter* i) { append_string(i, item->label); });
    else
        append_variant(&body, "b", [](DBusMessageIter* i) { append_bool(i, true); });
    return reply;
}

DBusMessage* DbusMenu::event(DBusMessage* call)
{
    DBusMessageIter args;
    dbus_int32_t id = 0;
    const char* event_id = nullptr;
    if (!dbus_message_iter_init(call, &args) || dbus_message_iter_get_arg_type(&args) != DBUS_TYPE_INT32)
        return invalid_args(call);
    dbus_message_iter_get_basic(&args, &id);
    dbus_message_iter_next(&args);
    if (dbus_message_iter_get_arg_type(&args) != DBUS_TYPE_STRING)
        return invalid_args(call);
    dbus_message_iter_get_basic(&args, &event_id);
    if (!take_event(id, event_id))
        return invalid_args(call);
    return dbus_message_new_method_return(call);
}

DBusMessage* DbusMenu::event_group(DBusMessage* call)
{
    DBusMessageIter args;
    std::vector<std::int32_t> unknown;
    if (!dbus_message_iter_init(call, &args) || dbus_message_iter_get_arg_type(&args) != DBUS_TYPE_ARRAY)
        return invalid_args(call);
    DBusMessageIter entry;
    dbus_message_iter_recurse(&args, &entry);
    while (dbus_message_iter_get_arg_type(&entry) == DBUS_TYPE_STRUCT) {
        DBusMessageIter field;
        dbus_message_iter_recurse(&entry, &field);
        dbus_int32_t id = 0;
        const char* event_id = "";
        if (dbus_message_iter_get_arg_type(&field) == DBUS_TYPE_INT32) {
            dbus_message_iter_get_basic(&field, &id);
            dbus_message_iter_next(&field);
            if (dbus_message_iter_get_arg_type(&field) == DBUS_TYPE_STRING)
                dbus_message_iter_get_basic(&field, &event_id);
        }
        if (!take_event(id, event_id))
            unknown.push_back(id);
        dbus_message_iter_next(&entry);
    }
    DBusMessage* reply = dbus_message_new_method_return(call);
    DBusMessageIter body;
    dbus_message_iter_init_append(reply, &body);
    append_container(&body, DBUS_TYPE_ARRAY, "i", [&](DBusMessageIter* array) {
        for (const std::int32_t id : unknown)
            append_int32(array, id);
    });
    return reply;
}

DBusMessage* DbusMenu::about_to_show_group(DBusMessage* call)
{
    DBusMessage* reply = dbus_message_new_method_return(call);
    DBusMessageIter body;
    dbus_message_iter_init_append(reply, &body);
    for (int list = 0; list < 2; ++list) // nothing to update, no unknown ids
        append_container(&body, DBUS_TYPE_ARRAY, "i", [](DBusMessageIter*) {});
    return reply;
}

bool DbusMenu::take_event(std::int32_t id, const char* event_id)
{
    if (id == DbusMenuLayout::root_id)
        return true; // "opened" and "closed" of the menu itself
    const auto menu_id = layout_.menu_id_of(id);
    if (!menu_id)
        return false;
    if (std::strcmp(event_id, "clicked") == 0)
        events_.push_back(Event{.kind = EventKind::tray_menu_choice, .menu_id = *menu_id});
    return true;
}

void DbusMenu::write_item(DBusMessageIter* iter, std::int32_t id, std::int32_t depth,
                          const std::vector<std::string>& names) const
{
    append_container(iter, DBUS_TYPE_STRUCT, nullptr, [&](DBusMessageIter* item) {
        append_int32(item, id);
        write_properties(item, id, names);
        append_container(item, DBUS_TYPE_ARRAY, "v", [&](DBusMessageIter* children) {
            if (id != DbusMenuLayout::root_id || depth == 0)
                return;
            for (const DbusMenuItem& child : layout_.items()) {
                append_variant(children, "(ia{sv}av)", [&](DBusMessageIter* v) {
                    write_item(v, child.id, depth - 1, names);
                });
            }
        });
    });
}

void DbusMenu::write_properties(DBusMessageIter* iter, std::int32_t id, const std::vector<std::string>& names) const
{
    append_container(iter, DBUS_TYPE_ARRAY, "{sv}", [&](DBusMessageIter* dict) {
        const DbusMenuItem* item = layout_.item(id);
        if (!item) {
            if (wanted(names, "children-display"))
                append_property(dict, "children-display", "s",
                                [](DBusMessageIter* i) { append_string(i, "submenu"); });
            return;
        }
        if (wanted(names, "label"))
            append_property(dict, "label", "s", [&](DBusMessageIter* i) { append_string(i, item->label); });
        if (wanted(names, "enabled"))
            append_property(dict, "enabled", "b", [](DBusMessageIter* i) { append_bool(i, true); });
        if (wanted(names, "visible"))
            append_property(dict, "visible", "b", [](DBusMessageIter* i) { append_bool(i, true); });
    });
}
