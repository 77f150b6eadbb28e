// SPDX-License-Identifier: GPL-3.0-or-later
// The Linux desktop's platform: the Wayland back end in a Wayland session whose compositor
// offers xdg-shell, else the SDL/X11 one (also under Xwayland); VORLUNDE_BACKEND names one.
#include "platform/desktop_platform.h"

#include "platform/sdl/sdl_platform.h"
#include "platform/wayland/wayland_platform.h"

#include "base/skin_error.h"

#include <cstdlib>
#include <string>

namespace {

std::string_view environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::unique_ptr<Platform> x11_platform()
{
    auto platform = std::make_unique<SdlPlatform>();
    try {
        platform->start_video();
    } catch (const SkinError& error) {
        throw SkinError(std::string("can't use the X11 back end: ") + error.what());
    }
    return platform;
}

std::unique_ptr<Platform> wayland_platform()
{
    try {
        return std::make_unique<WaylandPlatform>();
    } catch (const SkinError& error) {
        throw SkinError(std::string("can't use the Wayland back end: ") + error.what());
    }
}

} // namespace

std::unique_ptr<Platform> make_desktop_platform()
{
    const std::string_view requested = environment("VORLUNDE_BACKEND");
    if (requested == "wayland")
        return wayland_platform();
    if (requested == "x11")
        return x11_platform();
    if (!requested.empty())
        throw SkinError("VORLUNDE_BACKEND names no back end (wayland or x11): " + std::string(requested));
    if (!environment("WAYLAND_DISPLAY").empty()) {
        try {
            return std::make_unique<WaylandPlatform>();
        } catch (const SkinError&) {
            // No compositor there, or one without xdg-shell: X11 (Xwayland) it is.
        }
    }
    return std::make_unique<SdlPlatform>(); // opens its display when first needed
}
