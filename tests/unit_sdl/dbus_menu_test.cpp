// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/dbus_menu.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace {

struct MessageUnref {
    void operator()(DBusMessage* message) const { dbus_message_unref(message); }
};
using Message = std::unique_ptr<DBusMessage, MessageUnref>;

const std::array<TrayMenuEntry, 3> menu{{
    {0xfffc, "Przywr\xf3\xe6", true},
    {0x1001, "Play", false},
    {0x2002, "Stop", false},
}};

// A method call on the menu object, with a serial as if it had been sent.
Message call(const char* method)
{
    Message message(dbus_message_new_method_call("test.caller", DbusMenu::object_path, DbusMenu::interface, method));
    dbus_message_set_serial(message.get(), 7);
    return message;
}

Message event_call(std::int32_t id, const char* event_id)
{
    Message message = call("Event");
    DBusMessageIter args;
    dbus_message_iter_init_append(message.get(), &args);
    const dbus_int32_t item = id;
    dbus_message_iter_append_basic(&args, DBUS_TYPE_INT32, &item);
    dbus_message_iter_append_basic(&args, DBUS_TYPE_STRING, &event_id);
    DBusMessageIter variant;
    const char* empty = "";
    dbus_message_iter_open_container(&args, DBUS_TYPE_VARIANT, "s", &variant);
    dbus_message_iter_append_basic(&variant, DBUS_TYPE_STRING, &empty);
    dbus_message_iter_close_container(&args, &variant);
    const dbus_uint32_t timestamp = 0;
    dbus_message_iter_append_basic(&args, DBUS_TYPE_UINT32, &timestamp);
    return message;
}

struct Node {
    std::int32_t id = 0;
    std::vector<std::string> property_names;
    std::string label;
    std::vector<Node> children;
};

// Reads one (ia{sv}av) layout node.
Node read_node(DBusMessageIter* iter)
{
    Node node;
    DBusMessageIter field;
    dbus_message_iter_recurse(iter, &field);
    dbus_int32_t id = 0;
    dbus_message_iter_get_basic(&field, &id);
    node.id = id;
    dbus_message_iter_next(&field);
    DBusMessageIter entry;
    dbus_message_iter_recurse(&field, &entry);
    while (dbus_message_iter_get_arg_type(&entry) == DBUS_TYPE_DICT_ENTRY) {
        DBusMessageIter key_value;
        dbus_message_iter_recurse(&entry, &key_value);
        const char* key = nullptr;
        dbus_message_iter_get_basic(&key_value, &key);
        node.property_names.emplace_back(key);
        dbus_message_iter_next(&key_value);
        DBusMessageIter value;
        dbus_message_iter_recurse(&key_value, &value);
        if (std::string(key) == "label") {
            const char* label = nullptr;
            dbus_message_iter_get_basic(&value, &label);
            node.label = label;
        }
        dbus_message_iter_next(&entry);
    }
    dbus_message_iter_next(&field);
    DBusMessageIter child;
    dbus_message_iter_recurse(&field, &child);
    while (dbus_message_iter_get_arg_type(&child) == DBUS_TYPE_VARIANT) {
        DBusMessageIter inner;
        dbus_message_iter_recurse(&child, &inner);
        node.children.push_back(read_node(&inner));
        dbus_message_iter_next(&child);
    }
    return node;
}

struct Layout {
    std::uint32_t revision = 0;
    Node root;
};

Layout get_layout(DbusMenu& menu_object, std::int32_t parent, std::int32_t depth, std::vector<const char*> names)
{
    Message message = call("GetLayout");
    DBusMessageIter args;
    dbus_message_iter_init_append(message.get(), &args);
    dbus_message_iter_append_basic(&args, DBUS_TYPE_INT32, &parent);
    dbus_message_iter_append_basic(&args, DBUS_TYPE_INT32, &depth);
    DBusMessageIter array;
    dbus_message_iter_open_container(&args, DBUS_TYPE_ARRAY, "s", &array);
    for (const char*& name : names)
        dbus_message_iter_append_basic(&array, DBUS_TYPE_STRING, &name);
    dbus_message_iter_close_container(&args, &array);
    const Message reply(menu_object.handle(message.get()));
    EXPECT_EQ(dbus_message_get_type(reply.get()), DBUS_MESSAGE_TYPE_METHOD_RETURN);
    EXPECT_STREQ(dbus_message_get_signature(reply.get()), "u(ia{sv}av)");
    Layout layout;
    DBusMessageIter body;
    dbus_message_iter_init(reply.get(), &body);
    dbus_uint32_t revision = 0;
    dbus_message_iter_get_basic(&body, &revision);
    layout.revision = revision;
    dbus_message_iter_next(&body);
    layout.root = read_node(&body);
    return layout;
}

struct Fixture {
    std::deque<Event> events;
    DbusMenu menu_object{events};
    Fixture() { menu_object.set_entries(menu, nullptr); }
};

TEST(DbusMenu, LayoutListsTheRestoreItemFirstAsUtf8ThenTheOthersInOrder)
{
    Fixture f;
    const Layout layout = get_layout(f.menu_object, 0, -1, {});
    EXPECT_EQ(layout.root.id, 0);
    ASSERT_EQ(layout.root.children.size(), 3u);
    const std::array<const char*, 3> labels{"Przywr\xc3\xb3\xc4\x87", "Play", "Stop"};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(layout.root.children[i].id, static_cast<std::int32_t>(i + 1));
        EXPECT_EQ(layout.root.children[i].label, labels[i]);
        EXPECT_TRUE(layout.root.children[i].children.empty());
    }
}

TEST(DbusMenu, LayoutHonoursDepthParentAndPropertyNames)
{
    Fixture f;
    EXPECT_TRUE(get_layout(f.menu_object, 0, 0, {}).root.children.empty());
    const Layout item = get_layout(f.menu_object, 2, -1, {});
    EXPECT_EQ(item.root.id, 2);
    EXPECT_EQ(item.root.label, "Play");
    const Layout labels_only = get_layout(f.menu_object, 0, 1, {"label"});
    ASSERT_EQ(labels_only.root.children.size(), 3u);
    EXPECT_EQ(labels_only.root.children[0].property_names, std::vector<std::string>{"label"});
    EXPECT_TRUE(labels_only.root.property_names.empty());
}

TEST(DbusMenu, NewEntriesRaiseTheRevision)
{
    Fixture f;
    const std::uint32_t before = get_layout(f.menu_object, 0, -1, {}).revision;
    f.menu_object.set_entries(std::span(menu).first(1), nullptr);
    const Layout after = get_layout(f.menu_object, 0, -1, {});
    EXPECT_GT(after.revision, before);
    EXPECT_EQ(after.root.children.size(), 1u);
}

TEST(DbusMenu, ClickedEventsBecomeMenuChoicesOtherEventsDoNot)
{
    Fixture f;
    for (const std::int32_t id : {3, 1}) {
        const Message reply(f.menu_object.handle(event_call(id, "clicked").get()));
        EXPECT_EQ(dbus_message_get_type(reply.get()), DBUS_MESSAGE_TYPE_METHOD_RETURN);
    }
    const Message hovered(f.menu_object.handle(event_call(2, "hovered").get()));
    EXPECT_EQ(dbus_message_get_type(hovered.get()), DBUS_MESSAGE_TYPE_METHOD_RETURN);
    const Message opened(f.menu_object.handle(event_call(0, "opened").get()));
    EXPECT_EQ(dbus_message_get_type(opened.get()), DBUS_MESSAGE_TYPE_METHOD_RETURN);
    ASSERT_EQ(f.events.size(), 2u);
    EXPECT_EQ(f.events[0].kind, EventKind::tray_menu_choice);
    EXPECT_EQ(f.events[0].menu_id, 0x2002);
    EXPECT_EQ(f.events[1].menu_id, 0xfffc);
}

TEST(DbusMenu, RefusesUnknownItemsAndMalformedCalls)
{
    Fixture f;
    const Message unknown(f.menu_object.handle(event_call(4, "clicked").get()));
    EXPECT_EQ(dbus_message_get_type(unknown.get()), DBUS_MESSAGE_TYPE_ERROR);
    const Message no_args(f.menu_object.handle(call("Event").get()));
    EXPECT_EQ(dbus_message_get_type(no_args.get()), DBUS_MESSAGE_TYPE_ERROR);
    const Message bad_layout(f.menu_object.handle(call("GetLayout").get()));
    EXPECT_EQ(dbus_message_get_type(bad_layout.get()), DBUS_MESSAGE_TYPE_ERROR);
    const Message unknown_method(f.menu_object.handle(call("Explode").get()));
    EXPECT_STREQ(dbus_message_get_error_name(unknown_method.get()), DBUS_ERROR_UNKNOWN_METHOD);
    EXPECT_TRUE(f.events.empty());
}

TEST(DbusMenu, PropertiesAnswerVersionThreeAndRefuseOtherInterfaces)
{
    Fixture f;
    const auto get = [&](const char* interface, const char* name) {
        Message message(dbus_message_new_method_call("test.caller", DbusMenu::object_path,
                                                     DBUS_INTERFACE_PROPERTIES, "Get"));
        dbus_message_set_serial(message.get(), 7);
        dbus_message_append_args(message.get(), DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING, &name,
                                 DBUS_TYPE_INVALID);
        return Message(f.menu_object.handle(message.get()));
    };
    const Message version = get(DbusMenu::interface, "Version");
    ASSERT_EQ(dbus_message_get_type(version.get()), DBUS_MESSAGE_TYPE_METHOD_RETURN);
    DBusMessageIter body;
    DBusMessageIter value;
    dbus_message_iter_init(version.get(), &body);
    dbus_message_iter_recurse(&body, &value);
    dbus_uint32_t number = 0;
    dbus_message_iter_get_basic(&value, &number);
    EXPECT_EQ(number, 3u);
    EXPECT_STREQ(dbus_message_get_error_name(get("org.example.Other", "Version").get()),
                 DBUS_ERROR_UNKNOWN_INTERFACE);
    EXPECT_STREQ(dbus_message_get_error_name(get(DbusMenu::interface, "Colour").get()), DBUS_ERROR_UNKNOWN_PROPERTY);
}

} // namespace
