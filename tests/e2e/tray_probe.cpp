// SPDX-License-Identifier: GPL-3.0-or-later
// tray_probe: shows the desktop tray's icon with the tip "vorlunde" and a menu of the restore
// item ("Przywróć" in code page 1250, bold) and two skin items, then prints one line per tray
// event until it is stopped (SIGTERM): "click left", "click right", "choice 0xID". A right click pops
// the menu, as the player does. First prints "ready KIND" (status_notifier, xembed or none).
#include "platform/linux_services/desktop_tray.h"
#include "platform/sdl/sdl_platform.h"

#include <SDL.h>

#include <array>
#include <cstdio>

int main()
{
    SdlPlatform platform;
    SDL_InitSubSystem(SDL_INIT_EVENTS);
    auto& tray = dynamic_cast<DesktopTray&>(platform.tray());
    const std::array<TrayMenuEntry, 3> menu{{
        {0xfffc, "Przywr\xf3\xe6", true},
        {0x1001, "Play_it", false},
        {0x1002, "G\xb3o\x9cniej", false}, // "Głośniej" in code page 1250
    }};
    tray.set_menu(menu);
    tray.show_icon("vorlunde");
    const char* kinds[] = {"status_notifier", "xembed", "none"};
    std::printf("ready %s\n", kinds[static_cast<int>(tray.kind())]);
    std::fflush(stdout);
    platform.events().start_timer(std::chrono::milliseconds(10));
    while (!platform.events().stop_requested()) {
        const auto event = platform.events().wait_event();
        if (!event)
            break;
        if (event->kind == EventKind::tray_click) {
            const bool left = event->button == MouseButton::left;
            std::printf("click %s\n", left ? "left" : "right");
            if (!left)
                tray.pop_menu(menu);
        } else if (event->kind == EventKind::tray_menu_choice) {
            std::printf("choice 0x%04x\n", event->menu_id);
        }
        std::fflush(stdout);
    }
}
