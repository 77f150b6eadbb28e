// SPDX-License-Identifier: GPL-3.0-or-later
// choose_tray_kind: which notification-area protocol the desktop tray uses. A
// StatusNotifierItem wherever a watcher runs on the session bus (the host then draws icon
// and menu), else an XEmbed icon where an X tray owns the system-tray selection, else none:
// the icon is not shown and no tray events come. Decided each time the icon is shown, so a
// panel started later is found.
#pragma once

#include <cstdint>

enum class TrayKind : std::uint8_t { status_notifier, xembed, none };

struct TrayHosts {
    bool status_notifier_watcher = false; // org.kde.StatusNotifierWatcher has an owner
    bool xembed_tray = false;             // _NET_SYSTEM_TRAY_S<screen> has an owner
};

TrayKind choose_tray_kind(TrayHosts hosts);
