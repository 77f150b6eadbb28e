// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/mpris_service.h"

#include "base/desktop_text.h"
#include "platform/linux_services/dbus_values.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

using namespace dbus_values;

namespace {

constexpr const char* bus_name = "org.mpris.MediaPlayer2.vorlunde";
constexpr const char* object_path = "/org/mpris/MediaPlayer2";
constexpr const char* root_interface = "org.mpris.MediaPlayer2";
constexpr const char* player_interface = "org.mpris.MediaPlayer2.Player";
constexpr const char* no_track = "/org/mpris/MediaPlayer2/TrackList/NoTrack";

// What Introspect answers for the object: the two MPRIS interfaces as this player offers
// them, and the standard ones (Peer is answered by libdbus itself).
constexpr const char* introspection_xml = R"(<!DOCTYPE node PUBLIC "-//freedesktop//DTD D-BUS Object Introspection 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd">
<node>
  <interface name="org.freedesktop.DBus.Introspectable">
    <method name="Introspect"><arg name="xml_data" type="s" direction="out"/></method>
  </interface>
  <interface name="org.freedesktop.DBus.Peer">
    <method name="Ping"/>
    <method name="GetMachineId"><arg name="machine_uuid" type="s" direction="out"/></method>
  </interface>
  <interface name="org.freedesktop.DBus.Properties">
    <method name="Get">
      <arg name="interface_name" type="s" direction="in"/>
      <arg name="property_name" type="s" direction="in"/>
      <arg name="value" type="v" direction="out"/>
    </method>
    <method name="GetAll">
      <arg name="interface_name" type="s" direction="in"/>
      <arg name="properties" type="a{sv}" direction="out"/>
    </method>
    <method name="Set">
      <arg name="interface_name" type="s" direction="in"/>
      <arg name="property_name" type="s" direction="in"/>
      <arg name="value" type="v" direction="in"/>
    </method>
    <signal name="PropertiesChanged">
      <arg name="interface_name" type="s"/>
      <arg name="changed_properties" type="a{sv}"/>
      <arg name="invalidated_properties" type="as"/>
    </signal>
  </interface>
  <interface name="org.mpris.MediaPlayer2">
    <method name="Raise"/>
    <method name="Quit"/>
    <property name="CanQuit" type="b" access="read"/>
    <property name="CanRaise" type="b" access="read"/>
    <property name="HasTrackList" type="b" access="read"/>
    <property name="Identity" type="s" access="read"/>
    <property name="DesktopEntry" type="s" access="read"/>
    <property name="SupportedUriSchemes" type="as" access="read"/>
    <property name="SupportedMimeTypes" type="as" access="read"/>
  </interface>
  <interface name="org.mpris.MediaPlayer2.Player">
    <method name="Next"/>
    <method name="Previous"/>
    <method name="Pause"/>
    <method name="PlayPause"/>
    <method name="Stop"/>
    <method name="Play"/>
    <method name="Seek"><arg name="Offset" type="x" direction="in"/></method>
    <method name="SetPosition">
      <arg name="TrackId" type="o" direction="in"/>
      <arg name="Position" type="x" direction="in"/>
    </method>
    <method name="OpenUri"><arg name="Uri" type="s" direction="in"/></method>
    <signal name="Seeked"><arg name="Position" type="x"/></signal>
    <property name="PlaybackStatus" type="s" access="read"/>
    <property name="LoopStatus" type="s" access="readwrite"/>
    <property name="Rate" type="d" access="read"/>
    <property name="Shuffle" type="b" access="readwrite"/>
    <property name="Metadata" type="a{sv}" access="read"/>
    <property name="Volume" type="d" access="readwrite"/>
    <property name="Position" type="x" access="read"/>
    <property name="MinimumRate" type="d" access="read"/>
    <property name="MaximumRate" type="d" access="read"/>
    <property name="CanGoNext" type="b" access="read"/>
    <property name="CanGoPrevious" type="b" access="read"/>
    <property name="CanPlay" type="b" access="read"/>
    <property name="CanPause" type="b" access="read"/>
    <property name="CanSeek" type="b" access="read"/>
    <property name="CanControl" type="b" access="read"/>
  </interface>
</node>
)";

std::string track_id(const MediaState& state)
{
    return state.track_count > 0 ? "/org/vorlunde/track/" + std::to_string(state.track) : no_track;
}

// A file URL: every byte outside the unreserved set and '/' percent-encoded.
std::string file_url(std::string_view path)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || std::strchr("/-._~", c) != nullptr) {
            url += c;
        } else {
            url += '%';
            url += hex[byte >> 4];
            url += hex[byte & 15];
        }
    }
    return url;
}

const char* playback_status(PlaybackState playback)
{
    switch (playback) {
    case PlaybackState::playing: return "Playing";
    case PlaybackState::paused: return "Paused";
    case PlaybackState::stopped: break;
    }
    return "Stopped";
}

Writer text(std::string value)
{
    return [value = std::move(value)](DBusMessageIter* i) { append_string(i, value); };
}
Writer flag(bool value)
{
    return [value](DBusMessageIter* i) { append_bool(i, value); };
}
Writer number(double value)
{
    return [value](DBusMessageIter* i) { append_double(i, value); };
}
Writer no_strings()
{
    return [](DBusMessageIter* i) { append_container(i, DBUS_TYPE_ARRAY, "s", [](DBusMessageIter*) {}); };
}

Writer metadata(const MediaState& state)
{
    return [state](DBusMessageIter* iter) {
        append_container(iter, DBUS_TYPE_ARRAY, "{sv}", [&](DBusMessageIter* dict) {
            const std::string id = track_id(state);
            append_property(dict, "mpris:trackid", "o", [&](DBusMessageIter* i) { append_object_path(i, id.c_str()); });
            if (state.track_count == 0)
                return;
            append_property(dict, "xesam:title", "s", text(to_desktop_text(state.title)));
            if (state.length_us > 0)
                append_property(dict, "mpris:length", "x",
                                [&](DBusMessageIter* i) { append_int64(i, state.length_us); });
            if (!state.file.empty())
                append_property(dict, "xesam:url", "s", text(file_url(state.file)));
        });
    };
}

std::vector<Property> root_properties()
{
    return {
        {"CanQuit", "b", flag(true)},
        {"CanRaise", "b", flag(true)},
        {"HasTrackList", "b", flag(false)},
        {"Identity", "s", text("vorlunde")},
        {"DesktopEntry", "s", text("org.vorlunde.vorlunde")},
        {"SupportedUriSchemes", "as", no_strings()},
        {"SupportedMimeTypes", "as", no_strings()},
    };
}

std::vector<Property> player_properties(const MediaState& state)
{
    const bool has_tracks = state.track_count > 0;
    return {
        {"PlaybackStatus", "s", text(playback_status(state.playback))},
        {"LoopStatus", "s", text(state.repeat ? "Track" : "None")},
        {"Shuffle", "b", flag(state.shuffle)},
        {"Metadata", "a{sv}", metadata(state)},
        {"Volume", "d", number(state.volume / 100.0)},
        {"Position", "x", [position = state.position_us](DBusMessageIter* i) { append_int64(i, position); }},
        {"Rate", "d", number(1.0)},
        {"MinimumRate", "d", number(1.0)},
        {"MaximumRate", "d", number(1.0)},
        {"CanGoNext", "b", flag(has_tracks)},
        {"CanGoPrevious", "b", flag(has_tracks)},
        {"CanPlay", "b", flag(has_tracks)},
        {"CanPause", "b", flag(has_tracks)},
        {"CanSeek", "b", flag(has_tracks)},
        {"CanControl", "b", flag(true)},
    };
}

// Whether the property `name` of the Player interface differs between the two states.
bool player_property_changed(std::string_view name, const MediaState& a, const MediaState& b)
{
    if (name == "PlaybackStatus")
        return a.playback != b.playback;
    if (name == "LoopStatus")
        return a.repeat != b.repeat;
    if (name == "Shuffle")
        return a.shuffle != b.shuffle;
    if (name == "Metadata")
        return a.track != b.track || a.track_count != b.track_count || a.title != b.title || a.file != b.file ||
               a.length_us != b.length_us;
    if (name == "Volume")
        return a.volume != b.volume;
    if (name.starts_with("Can") && name != "CanControl")
        return (a.track_count > 0) != (b.track_count > 0);
    return false; // the position moves without signals; the rates never change
}

// The first argument of `call` when it is of `type`.
template <typename Value>
bool first_argument(DBusMessage* call, int type, Value& value)
{
    DBusMessageIter args;
    if (!dbus_message_iter_init(call, &args) || dbus_message_iter_get_arg_type(&args) != type)
        return false;
    dbus_message_iter_get_basic(&args, &value);
    return true;
}

} // namespace

std::unique_ptr<MprisService> MprisService::connect()
{
    PrivateBusConnection connection = connect_session_bus();
    if (!connection)
        return nullptr;
    return std::make_unique<MprisService>(std::move(connection));
}

MprisService::MprisService(PrivateBusConnection connection) : connection_(std::move(connection))
{
    DBusConnection* bus = connection_.get();
    static const DBusObjectPathVTable vtable{nullptr, &MprisService::on_message, nullptr, nullptr, nullptr, nullptr};
    dbus_connection_register_object_path(bus, object_path, &vtable, this);
    if (dbus_bus_request_name(bus, bus_name, DBUS_NAME_FLAG_DO_NOT_QUEUE, nullptr) !=
        DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER) {
        const std::string instance = std::string(bus_name) + ".instance" + std::to_string(getpid());
        dbus_bus_request_name(bus, instance.c_str(), DBUS_NAME_FLAG_DO_NOT_QUEUE, nullptr);
    }
}

MprisService::~MprisService()
{
    dbus_connection_flush(connection_.get());
}

void MprisService::publish(const MediaState& state)
{
    const MediaState old_state = state_;
    state_ = state;
    if (published_)
        properties_changed(player_interface, old_state);
    published_ = true;
}

void MprisService::seeked(std::int64_t position_us)
{
    DBusMessage* signal = dbus_message_new_signal(object_path, player_interface, "Seeked");
    DBusMessageIter body;
    dbus_message_iter_init_append(signal, &body);
    append_int64(&body, position_us);
    dbus_connection_send(connection_.get(), signal, nullptr);
    dbus_message_unref(signal);
    dbus_connection_flush(connection_.get());
}

std::optional<Event> MprisService::poll_event()
{
    dispatch_arrived(connection_.get());
    if (requests_.empty())
        return std::nullopt;
    const Event event = requests_.front();
    requests_.pop_front();
    return event;
}

void MprisService::properties_changed(const char* interface, const MediaState& old_state)
{
    std::vector<Property> changed;
    for (Property& property : player_properties(state_)) {
        if (player_property_changed(property.name, old_state, state_))
            changed.push_back(std::move(property));
    }
    if (changed.empty())
        return;
    DBusMessage* signal = dbus_message_new_signal(object_path, DBUS_INTERFACE_PROPERTIES, "PropertiesChanged");
    DBusMessageIter body;
    dbus_message_iter_init_append(signal, &body);
    append_string(&body, interface);
    append_container(&body, DBUS_TYPE_ARRAY, "{sv}", [&](DBusMessageIter* dict) {
        for (const Property& property : changed)
            append_property(dict, property.name, property.signature, property.value);
    });
    append_container(&body, DBUS_TYPE_ARRAY, "s", [](DBusMessageIter*) {});
    dbus_connection_send(connection_.get(), signal, nullptr);
    dbus_message_unref(signal);
    dbus_connection_flush(connection_.get());
}

DBusHandlerResult MprisService::on_message(DBusConnection* connection, DBusMessage* message, void* self)
{
    if (dbus_message_get_type(message) != DBUS_MESSAGE_TYPE_METHOD_CALL)
        return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
    DBusMessage* reply = static_cast<MprisService*>(self)->handle(message);
    if (!dbus_message_get_no_reply(message))
        dbus_connection_send(connection, reply, nullptr);
    dbus_message_unref(reply);
    return DBUS_HANDLER_RESULT_HANDLED;
}

void MprisService::request(MediaRequest what, std::int64_t value)
{
    requests_.push_back(Event{.kind = EventKind::media_request, .media_request = what, .media_value = value});
}

DBusMessage* MprisService::handle(DBusMessage* call)
{
    if (const char* interface = properties_interface(call)) {
        if (dbus_message_is_method_call(call, DBUS_INTERFACE_PROPERTIES, "Set"))
            return set_property(call);
        if (std::strcmp(interface, root_interface) == 0)
            return properties_reply(call, root_interface, root_properties());
        return properties_reply(call, player_interface, player_properties(state_));
    }
    if (dbus_message_is_method_call(call, DBUS_INTERFACE_INTROSPECTABLE, "Introspect")) {
        DBusMessage* reply = dbus_message_new_method_return(call);
        dbus_message_append_args(reply, DBUS_TYPE_STRING, &introspection_xml, DBUS_TYPE_INVALID);
        return reply;
    }
    if (dbus_message_is_method_call(call, root_interface, "Raise"))
        request(MediaRequest::raise);
    else if (dbus_message_is_method_call(call, root_interface, "Quit"))
        request(MediaRequest::quit);
    else if (dbus_message_has_interface(call, player_interface))
        return handle_player_call(call);
    else
        return dbus_message_new_error(call, DBUS_ERROR_UNKNOWN_METHOD, "unknown method");
    return dbus_message_new_method_return(call);
}

DBusMessage* MprisService::handle_player_call(DBusMessage* call)
{
    const char* method = dbus_message_get_member(call);
    static constexpr std::pair<const char*, MediaRequest> plain[] = {
        {"Play", MediaRequest::play},         {"Pause", MediaRequest::pause}, {"PlayPause", MediaRequest::play_pause},
        {"Stop", MediaRequest::stop},         {"Next", MediaRequest::next},   {"Previous", MediaRequest::previous},
    };
    for (const auto& [name, what] : plain) {
        if (std::strcmp(method, name) == 0) {
            request(what);
            return dbus_message_new_method_return(call);
        }
    }
    if (std::strcmp(method, "Seek") == 0) {
        dbus_int64_t offset = 0;
        if (!first_argument(call, DBUS_TYPE_INT64, offset))
            return dbus_message_new_error(call, DBUS_ERROR_INVALID_ARGS, "Seek takes an offset (x)");
        request(MediaRequest::seek, offset);
        return dbus_message_new_method_return(call);
    }
    if (std::strcmp(method, "SetPosition") == 0) {
        const char* track = nullptr;
        dbus_int64_t position = 0;
        if (!dbus_message_get_args(call, nullptr, DBUS_TYPE_OBJECT_PATH, &track, DBUS_TYPE_INT64, &position,
                                   DBUS_TYPE_INVALID))
            return dbus_message_new_error(call, DBUS_ERROR_INVALID_ARGS, "SetPosition takes a track and a position (ox)");
        // A position for a track that no longer plays is ignored, as the interface asks.
        if (track_id(state_) == track)
            request(MediaRequest::set_position, position);
        return dbus_message_new_method_return(call);
    }
    if (std::strcmp(method, "OpenUri") == 0)
        return dbus_message_new_error(call, DBUS_ERROR_NOT_SUPPORTED, "the skin's playlist is fixed");
    return dbus_message_new_error(call, DBUS_ERROR_UNKNOWN_METHOD, "unknown method");
}

DBusMessage* MprisService::set_property(DBusMessage* call)
{
    DBusMessageIter args;
    const char* interface = nullptr;
    const char* name = nullptr;
    dbus_message_iter_init(call, &args);
    dbus_message_iter_get_basic(&args, &interface);
    if (!dbus_message_iter_next(&args) || dbus_message_iter_get_arg_type(&args) != DBUS_TYPE_STRING)
        return dbus_message_new_error(call, DBUS_ERROR_INVALID_ARGS, "Set takes an interface, a name and a value");
    dbus_message_iter_get_basic(&args, &name);
    DBusMessageIter value;
    if (!dbus_message_iter_next(&args) || dbus_message_iter_get_arg_type(&args) != DBUS_TYPE_VARIANT)
        return dbus_message_new_error(call, DBUS_ERROR_INVALID_ARGS, "Set takes an interface, a name and a value");
    dbus_message_iter_recurse(&args, &value);
    const int type = dbus_message_iter_get_arg_type(&value);
    const bool player = std::strcmp(interface, player_interface) == 0;
    if (player && std::strcmp(name, "LoopStatus") == 0 && type == DBUS_TYPE_STRING) {
        const char* status = nullptr;
        dbus_message_iter_get_basic(&value, &status);
        request(MediaRequest::set_repeat, std::strcmp(status, "Track") == 0);
    } else if (player && std::strcmp(name, "Shuffle") == 0 && type == DBUS_TYPE_BOOLEAN) {
        dbus_bool_t on = FALSE;
        dbus_message_iter_get_basic(&value, &on);
        request(MediaRequest::set_shuffle, on ? 1 : 0);
    } else if (player && std::strcmp(name, "Volume") == 0 && type == DBUS_TYPE_DOUBLE) {
        double volume = 0.0;
        dbus_message_iter_get_basic(&value, &volume);
        // NaN and out-of-range values end up as the nearest end of 0..100.
        const double percent = std::isnan(volume) ? 0.0 : std::clamp(volume, 0.0, 1.0) * 100.0;
        request(MediaRequest::set_volume, std::lround(percent));
    } else {
        return dbus_message_new_error(call, DBUS_ERROR_PROPERTY_READ_ONLY, "not a writable property");
    }
    return dbus_message_new_method_return(call);
}
