// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/sni_tray.h"

#include "base/desktop_text.h"
#include "platform/program_images.h"
#include "platform/linux_services/dbus_values.h"

#include <unistd.h>

#include <cstring>
#include <vector>

using namespace dbus_values;

namespace {

constexpr const char* item_path = "/StatusNotifierItem";
constexpr const char* item_interface = "org.kde.StatusNotifierItem";
constexpr const char* watcher_name = "org.kde.StatusNotifierWatcher";
constexpr const char* watcher_path = "/StatusNotifierWatcher";

// The program's icon as one (width, height, ARGB32 bytes in network order) pixmap.
void append_icon_pixmaps(DBusMessageIter* iter)
{
    append_container(iter, DBUS_TYPE_ARRAY, "(iiay)", [](DBusMessageIter* pixmaps) {
        append_container(pixmaps, DBUS_TYPE_STRUCT, nullptr, [](DBusMessageIter* pixmap) {
            append_int32(pixmap, program_image_size);
            append_int32(pixmap, program_image_size);
            std::vector<unsigned char> bytes;
            for (const std::uint32_t pixel : program_icon_pixels()) {
                for (const int shift : {24, 16, 8, 0})
                    bytes.push_back(static_cast<unsigned char>(pixel >> shift));
            }
            const unsigned char* data = bytes.data();
            append_container(pixmap, DBUS_TYPE_ARRAY, "y", [&](DBusMessageIter* array) {
                dbus_message_iter_append_fixed_array(array, DBUS_TYPE_BYTE, &data, static_cast<int>(bytes.size()));
            });
        });
    });
}

} // namespace

std::unique_ptr<SniTray> SniTray::connect(std::deque<Event>& events)
{
    PrivateBusConnection connection = connect_session_bus();
    if (!connection)
        return nullptr;
    return std::make_unique<SniTray>(std::move(connection), events);
}

SniTray::SniTray(PrivateBusConnection connection, std::deque<Event>& events)
    : connection_(std::move(connection)), events_(events), menu_(events),
      name_("org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-1")
{
    static const DBusObjectPathVTable vtable{nullptr, &SniTray::on_message, nullptr, nullptr, nullptr, nullptr};
    dbus_connection_register_object_path(connection_.get(), item_path, &vtable, this);
    dbus_connection_register_object_path(connection_.get(), DbusMenu::object_path, &vtable, this);
}

SniTray::~SniTray()
{
    remove();
    dbus_connection_flush(connection_.get());
}

bool SniTray::watcher_present()
{
    return dbus_bus_name_has_owner(connection_.get(), watcher_name, nullptr);
}

void SniTray::show(const std::string& tip)
{
    tip_ = to_desktop_text(tip);
    if (shown_) {
        emit("NewTitle");
        emit("NewToolTip");
        return;
    }
    dbus_bus_request_name(connection_.get(), name_.c_str(), DBUS_NAME_FLAG_DO_NOT_QUEUE, nullptr);
    // Sent without waiting: the watcher may call back for our properties before it answers.
    DBusMessage* call =
        dbus_message_new_method_call(watcher_name, watcher_path, watcher_name, "RegisterStatusNotifierItem");
    DBusMessageIter body;
    dbus_message_iter_init_append(call, &body);
    append_string(&body, name_);
    dbus_connection_send(connection_.get(), call, nullptr);
    dbus_message_unref(call);
    dbus_connection_flush(connection_.get());
    shown_ = true;
}

void SniTray::remove()
{
    if (!shown_)
        return;
    dbus_bus_release_name(connection_.get(), name_.c_str(), nullptr);
    shown_ = false;
}

void SniTray::set_menu(std::span<const TrayMenuEntry> entries)
{
    menu_.set_entries(entries, connection_.get());
}

int SniTray::socket() const
{
    return bus_socket(connection_.get());
}

void SniTray::poll()
{
    dispatch_arrived(connection_.get());
}

DBusHandlerResult SniTray::on_message(DBusConnection* connection, DBusMessage* message, void* self)
{
    if (dbus_message_get_type(message) != DBUS_MESSAGE_TYPE_METHOD_CALL)
        return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
    auto& tray = *static_cast<SniTray*>(self);
    DBusMessage* reply = std::strcmp(dbus_message_get_path(message), DbusMenu::object_path) == 0
                             ? tray.menu_.handle(message)
                             : tray.handle_item(message);
    if (!dbus_message_get_no_reply(message))
        dbus_connection_send(connection, reply, nullptr);
    dbus_message_unref(reply);
    return DBUS_HANDLER_RESULT_HANDLED;
}

DBusMessage* SniTray::handle_item(DBusMessage* call)
{
    if (dbus_message_has_interface(call, DBUS_INTERFACE_PROPERTIES)) {
        const auto text = [](const std::string& value) { return [value](DBusMessageIter* i) { append_string(i, value); }; };
        const Property properties[] = {
            {"Category", "s", text("ApplicationStatus")},
            {"Id", "s", text("vorlunde")},
            {"Title", "s", text(tip_)},
            {"Status", "s", text("Active")},
            {"IconName", "s", text("")},
            {"IconPixmap", "a(iiay)", append_icon_pixmaps},
            {"ToolTip", "(sa(iiay)ss)",
             [this](DBusMessageIter* i) {
                 append_container(i, DBUS_TYPE_STRUCT, nullptr, [this](DBusMessageIter* tip) {
                     append_string(tip, "");
                     append_container(tip, DBUS_TYPE_ARRAY, "(iiay)", [](DBusMessageIter*) {});
                     append_string(tip, tip_);
                     append_string(tip, "");
                 });
             }},
            {"ItemIsMenu", "b", [](DBusMessageIter* i) { append_bool(i, false); }},
            {"Menu", "o", [](DBusMessageIter* i) { append_object_path(i, DbusMenu::object_path); }},
            {"WindowId", "i", [](DBusMessageIter* i) { append_int32(i, 0); }},
        };
        return properties_reply(call, item_interface, properties);
    }
    if (dbus_message_is_method_call(call, item_interface, "Activate"))
        events_.push_back(Event{.kind = EventKind::tray_click, .button = MouseButton::left});
    else if (dbus_message_is_method_call(call, item_interface, "ContextMenu"))
        events_.push_back(Event{.kind = EventKind::tray_click, .button = MouseButton::right});
    else if (!dbus_message_is_method_call(call, item_interface, "SecondaryActivate") &&
             !dbus_message_is_method_call(call, item_interface, "Scroll"))
        return dbus_message_new_error(call, DBUS_ERROR_UNKNOWN_METHOD, "unknown method");
    return dbus_message_new_method_return(call);
}

void SniTray::emit(const char* signal)
{
    DBusMessage* message = dbus_message_new_signal(item_path, item_interface, signal);
    dbus_connection_send(connection_.get(), message, nullptr);
    dbus_message_unref(message);
}
