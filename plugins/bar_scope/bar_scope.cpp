// SPDX-License-Identifier: MIT
// bar_scope: an example plug-in. During page transitions it draws the current track's
// spectrum as 32 bars along the bottom of the window, over the fading page; while nothing
// plays it draws nothing. It reads only the context and keeps no pointer into it.
// Licensed under the MIT licence (unlike the player's GPL-3.0-or-later), so that a plug-in
// started from it may carry any licence its author chooses.
#include "vorlunde/plugin.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int bar_count = 32;
constexpr int bins_per_bar = VORLUNDE_SPECTRUM_BINS / bar_count / 2; // the lower half of the spectrum carries the music
constexpr int max_bar_height = 120;
constexpr int bottom_margin = 60;

class BarScope final : public VorlundePlugin {
public:
    void start(PluginContext*) override {}

    void draw(PluginContext* context) override
    {
        const PluginSurface* surface = context->surface;
        if (!surface || !surface->pixels || !context->spectrum || !context->playing)
            return;
        const int bar_width = std::max(surface->width / (bar_count * 2), 1);
        const int left = (surface->width - bar_count * bar_width * 2) / 2;
        const int base = surface->height - bottom_margin;
        for (int bar = 0; bar < bar_count; ++bar) {
            float peak = 0.0f;
            for (int bin = 0; bin < bins_per_bar; ++bin)
                peak = std::max(peak, context->spectrum[1 + bar * bins_per_bar + bin]);
            // Square root lifts quiet bands into view; full scale fills the bar.
            const int height = static_cast<int>(std::min(std::sqrt(peak), 1.0f) * max_bar_height);
            const int x0 = left + bar * bar_width * 2;
            fill(*surface, x0, base - height, x0 + bar_width, base, colour_of(bar));
        }
    }

private:
    static std::uint32_t colour_of(int bar)
    {
        const auto red = static_cast<std::uint32_t>(0x30 + bar * 5);
        const auto green = static_cast<std::uint32_t>(0xC0 - bar * 3);
        return 0xFF000000u | red << 16 | green << 8 | 0xE0u;
    }

    static void fill(const PluginSurface& surface, int x0, int y0, int x1, int y1, std::uint32_t colour)
    {
        x0 = std::clamp(x0, 0, surface.width);
        x1 = std::clamp(x1, 0, surface.width);
        y0 = std::clamp(y0, 0, surface.height);
        y1 = std::clamp(y1, 0, surface.height);
        for (int y = y0; y < y1; ++y)
            std::fill(surface.pixels + static_cast<std::ptrdiff_t>(y) * surface.pitch + x0,
                      surface.pixels + static_cast<std::ptrdiff_t>(y) * surface.pitch + x1, colour);
    }
};

} // namespace

VORLUNDE_PLUGIN_DEFINE_ABI_VERSION

VORLUNDE_PLUGIN_EXPORT VorlundePlugin* PluginCreateProc()
{
    return new BarScope;
}

VORLUNDE_PLUGIN_EXPORT void PluginDestroyProc(VorlundePlugin* plugin)
{
    delete static_cast<BarScope*>(plugin);
}
