// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/desktop_tray.h"

#include "platform/linux_services/quiet_x_display.h"
#include "platform/linux_services/sni_tray.h"
#include "platform/linux_services/x_popup_menu.h"
#include "platform/linux_services/xembed_tray.h"

#include <iostream>

void DesktopTray::DisplayCloser::operator()(_XDisplay* display) const
{
    XCloseDisplay(display);
}

DesktopTray::DesktopTray() = default;

DesktopTray::~DesktopTray()
{
    remove_icon();
}

void DesktopTray::show_icon(const std::string& tip)
{
    if (kind_ == TrayKind::none) {
        connect_bus();
        connect_display();
        kind_ = choose_tray_kind({.status_notifier_watcher = sni_ && sni_->watcher_present(),
                                  .xembed_tray = display_ && XembedTray::host_present(display_.get())});
    }
    if (kind_ == TrayKind::status_notifier)
        sni_->show(tip);
    else if (kind_ == TrayKind::xembed)
        xembed_->show(tip);
    if (kind_ == TrayKind::none)
        std::cerr << "vorlunde: no notification area (no StatusNotifierItem watcher, no X system tray): "
                     "the window is minimised instead of hidden\n";
}

void DesktopTray::remove_icon()
{
    if (sni_)
        sni_->remove();
    if (xembed_)
        xembed_->remove();
    if (popup_)
        popup_->close();
    kind_ = TrayKind::none;
}

void DesktopTray::pop_menu(std::span<const TrayMenuEntry> entries)
{
    connect_display();
    if (popup_)
        popup_->pop(entries);
}

void DesktopTray::set_menu(std::span<const TrayMenuEntry> entries)
{
    menu_.assign(entries.begin(), entries.end());
    if (sni_)
        sni_->set_menu(menu_);
}

void DesktopTray::add_sockets(std::vector<int>& sockets) const
{
    if (sni_)
        sockets.push_back(sni_->socket());
    if (display_)
        sockets.push_back(ConnectionNumber(display_.get()));
}

std::optional<Event> DesktopTray::poll_event()
{
    if (sni_)
        sni_->poll();
    while (display_ && XPending(display_.get()) > 0) {
        XEvent event;
        XNextEvent(display_.get(), &event);
        if (!xembed_->handle(event))
            popup_->handle(event);
    }
    if (events_.empty())
        return std::nullopt;
    const Event event = events_.front();
    events_.pop_front();
    return event;
}

void DesktopTray::connect_bus()
{
    if (bus_tried_)
        return;
    bus_tried_ = true;
    sni_ = SniTray::connect(events_);
    if (sni_)
        sni_->set_menu(menu_);
}

void DesktopTray::connect_display()
{
    if (display_tried_)
        return;
    display_tried_ = true;
    display_.reset(open_quiet_x_display());
    if (!display_)
        return;
    xembed_ = std::make_unique<XembedTray>(display_.get(), events_);
    popup_ = std::make_unique<XPopupMenu>(display_.get(), events_);
}
