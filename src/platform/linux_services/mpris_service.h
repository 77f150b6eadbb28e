// SPDX-License-Identifier: GPL-3.0-or-later
// MprisService: the MediaRemote of Linux desktops, an MPRIS2 player on the session bus under
// org.mpris.MediaPlayer2.vorlunde (org.mpris.MediaPlayer2.vorlunde.instance<pid> when another
// player holds that name), object /org/mpris/MediaPlayer2, on a private libdbus connection.
// The root interface (Identity, DesktopEntry, Raise, Quit) and the Player interface (status,
// loop, shuffle, metadata, position, volume, Can* properties; Play, Pause, PlayPause, Stop,
// Next, Previous, Seek, SetPosition and the writable LoopStatus, Shuffle and Volume) answer
// from the last published state; Introspect gives their XML (libdbus answers Peer's Ping and
// GetMachineId itself); method calls become media_request events, collected by
// poll_event(), which the event source calls from its wait loop. PropertiesChanged goes out
// for every published change but the position, Seeked for seeked(). A lost bus leaves the
// player running. Not copyable (libdbus holds its address). UI thread only.
#pragma once

#include "platform/event.h"
#include "platform/media_remote.h"
#include "platform/linux_services/dbus_session.h"

#include <dbus/dbus.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>

class MprisService final : public MediaRemote {
public:
    // Connects to the session bus and takes the name; nullptr when there is no bus.
    static std::unique_ptr<MprisService> connect();
    explicit MprisService(PrivateBusConnection connection);
    ~MprisService() override;
    MprisService(const MprisService&) = delete;
    MprisService& operator=(const MprisService&) = delete;

    void publish(const MediaState& state) override;
    void seeked(std::int64_t position_us) override;

    // The next request, after handling what the bus brought; never blocks.
    std::optional<Event> poll_event();
    // The socket to watch for what poll_event() handles, or -1.
    int socket() const { return bus_socket(connection_.get()); }

private:
    static DBusHandlerResult on_message(DBusConnection* connection, DBusMessage* message, void* self);
    DBusMessage* handle(DBusMessage* call);
    DBusMessage* handle_player_call(DBusMessage* call);
    DBusMessage* set_property(DBusMessage* call);
    void request(MediaRequest what, std::int64_t value = 0);
    void properties_changed(const char* interface, const MediaState& old_state);

    PrivateBusConnection connection_;
    std::deque<Event> requests_;
    MediaState state_;
    bool published_ = false;
};
