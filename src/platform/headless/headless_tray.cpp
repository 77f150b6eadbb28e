// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/headless_tray.h"

void HeadlessTray::show_icon(const std::string& tip)
{
    shown_ = true;
    log_.push_back("tray show " + tip);
}

void HeadlessTray::remove_icon()
{
    shown_ = false;
    log_.push_back("tray remove");
}

void HeadlessTray::pop_menu(std::span<const TrayMenuEntry> entries)
{
    last_menu_.assign(entries.begin(), entries.end());
    log_.push_back("tray menu");
}
