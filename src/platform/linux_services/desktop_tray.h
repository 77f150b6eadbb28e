// SPDX-License-Identifier: GPL-3.0-or-later
// DesktopTray: the Tray of Linux desktops. Showing the icon picks the protocol the desktop
// offers (choose_tray_kind): a StatusNotifierItem with its menu on D-Bus, else an XEmbed icon
// with the program's own popup menu, else nothing at all (no icon, no events; the player's
// restore command still works): then one line on standard error says so and icon_visible()
// is false. A host that appears later is used the next time the icon is shown. The session
// bus and the X display are its own connections, opened on first use. Events from either are
// collected by poll_event(), which the event source calls when their sockets (sockets()) have
// data. UI thread only.
#pragma once

#include "platform/event.h"
#include "platform/linux_services/tray_chooser.h"
#include "platform/tray.h"

#include <deque>
#include <memory>
#include <optional>
#include <vector>

// Kept out of this header: Xlib's global `Window` type clashes with the platform's.
struct _XDisplay;
class SniTray;
class XembedTray;
class XPopupMenu;

class DesktopTray final : public Tray {
public:
    DesktopTray();
    ~DesktopTray() override;
    DesktopTray(const DesktopTray&) = delete;
    DesktopTray& operator=(const DesktopTray&) = delete;

    void show_icon(const std::string& tip) override;
    void remove_icon() override;
    void pop_menu(std::span<const TrayMenuEntry> entries) override;
    void set_menu(std::span<const TrayMenuEntry> entries) override;

    // The protocol of the shown icon (none while no icon is shown).
    TrayKind kind() const { return kind_; }
    bool icon_visible() const override { return kind_ != TrayKind::none; }
    // The next tray event, after handling what the connections brought; never blocks.
    std::optional<Event> poll_event();
    // Adds the sockets of the open connections, on which poll_event's events arrive.
    void add_sockets(std::vector<int>& sockets) const;

private:
    // Opens the connections once each; afterwards they may still be missing.
    void connect_bus();
    void connect_display();

    struct DisplayCloser {
        void operator()(_XDisplay* display) const;
    };

    std::deque<Event> events_;
    std::vector<TrayMenuEntry> menu_;
    std::unique_ptr<SniTray> sni_;
    bool bus_tried_ = false;
    // Declared before the X clients, which must go before the display closes.
    std::unique_ptr<_XDisplay, DisplayCloser> display_;
    bool display_tried_ = false;
    std::unique_ptr<XembedTray> xembed_;
    std::unique_ptr<XPopupMenu> popup_;
    TrayKind kind_ = TrayKind::none;
};
