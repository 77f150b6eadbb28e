// SPDX-License-Identifier: GPL-3.0-or-later
// wayland_pointer WIDTH HEIGHT: gives a headless wlroots compositor's seat a pointer (a
// virtual pointer device on a WIDTH by HEIGHT output), so that clients get pointer events,
// and moves it as its standard input says, line by line, until that closes:
//   move X Y        the pointer to output pixel (X, Y), as a device moves it (a move that the
//                   compositor runs follows it, unlike `swaymsg seat seat0 cursor set`)
//   press / release the left button
// Prints "ready" once the device exists and "ok" after each line has reached the compositor.
// Exit status 1 when the compositor offers no virtual pointers.
#include "virtual-pointer-client-protocol.h"
#include <wayland-client.h>

#include <cstdlib>
#include <cstring>
#include <linux/input-event-codes.h>
#include <sstream>
#include <iostream>
#include <string>

namespace {

struct Globals {
    zwlr_virtual_pointer_manager_v1* manager = nullptr;
};

void on_global(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t)
{
    if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        static_cast<Globals*>(data)->manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}

void on_global_remove(void*, wl_registry*, std::uint32_t) {}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: wayland_pointer WIDTH HEIGHT\n";
        return 2;
    }
    const auto width = static_cast<std::uint32_t>(std::atoi(argv[1]));
    const auto height = static_cast<std::uint32_t>(std::atoi(argv[2]));
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::cerr << "wayland_pointer: no compositor\n";
        return 1;
    }
    Globals globals;
    static constexpr wl_registry_listener listener{.global = on_global, .global_remove = on_global_remove};
    wl_registry_add_listener(wl_display_get_registry(display), &listener, &globals);
    wl_display_roundtrip(display);
    if (!globals.manager) {
        std::cerr << "wayland_pointer: the compositor offers no virtual pointers\n";
        return 1;
    }
    zwlr_virtual_pointer_v1* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager, nullptr);
    wl_display_roundtrip(display);
    std::cout << "ready" << std::endl;
    std::uint32_t time = 0;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        time += 10;
        if (command == "move") {
            std::uint32_t x = 0;
            std::uint32_t y = 0;
            words >> x >> y;
            zwlr_virtual_pointer_v1_motion_absolute(pointer, time, x, y, width, height);
        } else if (command == "press" || command == "release") {
            zwlr_virtual_pointer_v1_button(pointer, time, BTN_LEFT,
                                           command == "press" ? WL_POINTER_BUTTON_STATE_PRESSED
                                                              : WL_POINTER_BUTTON_STATE_RELEASED);
        }
        zwlr_virtual_pointer_v1_frame(pointer);
        wl_display_roundtrip(display);
        std::cout << "ok" << std::endl;
    }
    wl_display_disconnect(display);
    return 0;
}
