// NoTray: the tray of a desktop without a notification-area back end yet: showing the icon
// and popping the menu do nothing, so no tray events ever arrive. UI thread only.
#pragma once

#include "platform/tray.h"

class NoTray final : public Tray {
public:
    void show_icon(const std::string&) override {}
    void remove_icon() override {}
    void pop_menu(std::span<const TrayMenuEntry>) override {}
};
