// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/tray_chooser.h"

TrayKind choose_tray_kind(TrayHosts hosts)
{
    if (hosts.status_notifier_watcher)
        return TrayKind::status_notifier;
    if (hosts.xembed_tray)
        return TrayKind::xembed;
    return TrayKind::none;
}
