// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/skin_error.h"
#include "platform/linux_services/dl_libraries.h"
#include "skin/plugin_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
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

// Plug-ins written in C: a library without the version export is taken as version 1, one
// built for a newer minor version loads, one built for a newer major version is refused
// with one line naming the file and both versions.
TEST(PluginLibrary, InterfaceVersionIsChecked)
{
    struct Case {
        const char* file;
        std::string refusal; // empty: loads and draws
    };
    const Case cases[] = {
        {VORLUNDE_TEST_PLUGIN_UNVERSIONED, ""},
        {VORLUNDE_TEST_PLUGIN_NEWER_MINOR, ""},
        {VORLUNDE_TEST_PLUGIN_NEWER_MAJOR, std::string("can't use plugin ") + VORLUNDE_TEST_PLUGIN_NEWER_MAJOR +
                                               ", made for plugin interface 2 (this player has 1)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        DlLibraries libraries;
        PluginHost host(libraries, {});
        std::uint32_t pixel = 0;
        host.set_surface(&pixel, 1, 1, 1);
        if (c.refusal.empty()) {
            PluginSlot& slot = host.load_plugin("p", c.file);
            host.start_plugins();
            host.draw_plugin(slot);
            EXPECT_EQ(pixel, 0xFF123456u);
        } else {
            try {
                host.load_plugin("p", c.file);
                ADD_FAILURE() << "loaded";
            } catch (const SkinError& error) {
                EXPECT_EQ(std::string(error.what()), c.refusal);
            }
            EXPECT_EQ(host.plugin_count(), 0u);
        }
    }
}

} // namespace
