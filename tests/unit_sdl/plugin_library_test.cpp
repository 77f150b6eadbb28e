// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/dl_libraries.h"
#include "skin/plugin_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

// The example plug-in as a real shared library: loaded through dlopen, drawn into a surface
// while a spectrum "plays", unloaded with its object freed by its own PluginDestroyProc.
TEST(PluginLibrary, BarScopeDrawsOnlyWhilePlaying)
{
    DlLibraries libraries;
    PluginHost host(libraries, {});
    PluginSlot& bars = host.load_plugin("bars", VORLUNDE_BAR_SCOPE_PLUGIN);
    std::vector<std::uint32_t> pixels(600 * 510, 0xFF000000u);
    std::array<float, 512> spectrum{};
    spectrum.fill(0.5f);
    host.set_surface(pixels.data(), 600, 510, 600);
    host.set_spectrum(spectrum.data());
    host.start_plugins();

    host.draw_plugin(bars);
    EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](std::uint32_t p) { return p == 0xFF000000u; }))
        << "nothing is drawn while nothing plays";

    host.set_playing(true);
    host.draw_plugin(bars);
    EXPECT_GT(std::count_if(pixels.begin(), pixels.end(), [](std::uint32_t p) { return p != 0xFF000000u; }), 1000);
}

} // namespace
