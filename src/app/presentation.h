// SPDX-License-Identifier: GPL-3.0-or-later
// Presentation: the window's three acts and the per-frame step. The intro (page "intro")
// fades in, the panel pages follow, the outro (page "outro") ends it, and a switch to the
// page "empty" quits. With a layered window the acts are joined by whole-window alpha fades
// (about one second each: alpha = (now − start) × 0.255); without one they change at once
// and window regions shape the window. Switches between ordinary pages are cross-fades in
// the back buffer, `page_switch_ms` long.
//
// Presentation states (ShellState::presentation_state, PresentationState): intro fading in,
// intro fading out (then the next page is current), panel fading in, panel fading out before
// the outro (then the outro is current), outro fading in, closing; none between them.
// A switch requested while a fade runs is dropped (the track page check asks again).
//
// A skin without the pages "intro", "outro" or "empty" simply never takes those steps; a
// page or region that is missing when a step needs it is skipped. A clock that runs
// backwards (a wrapped tick count) counts as no time passed.
//
// Owns the region registry ("panel", "intro", "outro"); every collaborator is borrowed and
// must outlive it. UI thread only.
#pragma once

#include "app/page_registry.h"
#include "app/shell_state.h"
#include "app/shell_window.h"
#include "app/tray_icon.h"
#include "base/named_list.h"
#include "image/back_buffer.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "skin/window_region.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class AudioEngine;
class DataArchive;
class FontRegistry;
class PluginHost;

class Presentation {
public:
    struct Targets {
        ShellState& shell;
        const Clock& clock;
        PageRegistry& pages;
        Window& window;
        BackBuffer& back_buffer;
        const DataArchive& archive;
        TrayIcon& tray;
        PluginHost& plugins;
        AudioEngine& audio;
        const FontRegistry& fonts;
        ShellWindow& shell_window; // hides the window and quits
    };

    // Presentation fades last 1000 ms: alpha = elapsed ms × this.
    static constexpr float alpha_per_ms = 0.255f;
    // The highest alpha of the intro's fade-in.
    static constexpr std::uint8_t intro_alpha = 254;
    // Pixels of this colour are see-through while the window is layered.
    static constexpr std::uint32_t colour_key = 0xFFFFFF;

    explicit Presentation(Targets targets) : t_(targets) {}

    // The regions "panel" (at the window's size), "intro" and "outro" of the skin in
    // `archive`; at `scale` 2 the panel's comes from its mask at twice the size where that
    // fits. A missing "Data\panel.rgn" throws the archive's SkinError.
    static NamedList<Region> build_regions(const DataArchive& archive, std::int32_t width, std::int32_t height,
                                           int scale);

    // Builds and registers the regions at the back buffer's scale (throwing as build_regions
    // does), starts the intro's clock, shows the window with the "intro" region unless it is
    // layered, prepares the start page (timers, enter commands) and starts the plug-ins.
    void presentation_start();

    // Goes on after the skin was loaded again, with its `regions`, from the state the shell
    // holds (acts, fades, current page): gives the window the alpha, colour key and region
    // it had (ShellState::window_region), restarts the current page's timers (its enter
    // commands do not run: the page was not entered) and starts the new plug-ins. The next
    // frame is drawn whole.
    void presentation_resume(NamedList<Region> regions);

    // One frame: advances the fades, carries out page switches, feeds the plug-in context,
    // draws the current page (with the status line) or the cross-fade, and presents.
    // Does nothing while the window is put away in the tray.
    // Fades, cross-fades and the first frame of a page are drawn and presented whole. Later
    // frames of a still page redraw and present only the areas whose look changed (clipped
    // redraws of background, elements and status line, so each area ends exactly as a whole
    // redraw would leave it); a frame where nothing changed draws and presents nothing.
    void frame_tick();

    // How long the loop may sleep after this frame: `period` while something moves by
    // itself (a fade, a cross-fade, a glow), until the current page's next timer, the seek
    // knob's next pixel while a track plays (every `knob_poll` for modules; the position moves
    // in steps of `position_step`, the audio device's pull), or nullopt: until the next event.
    std::optional<std::chrono::milliseconds> next_frame_delay(std::chrono::milliseconds period,
                                                              std::chrono::milliseconds knob_poll,
                                                              std::chrono::milliseconds position_step) const;

    // The current page with its status line as a whole redraw would draw it now, into
    // `target`; changes no state. Meaningful while no fade or cross-fade runs.
    void draw_still_frame(BackBuffer& target) const;

    // The registered region called `name`, or nullptr.
    const Region* find_region(std::string_view name) const { return regions_.find(name); }

private:
    bool layered() const { return t_.window.layered(); }
    std::uint64_t elapsed_since(std::uint64_t start_ms) const;
    void layered_switch();
    void non_layered_switch();
    void presentation_step();
    void page_switch_step();
    void make_next_page_current();
    void apply_region(std::string_view name);
    void update_plugin_context();
    void draw_current_page();
    void draw_changes();
    std::string_view status_title() const;
    void draw_status_line();
    // The outro's first frame: the current page's background and the status line, at once.
    void repaint();

    Targets t_;
    NamedList<Region> regions_;
    std::string drawn_page_;   // the page whose whole frame the back buffer holds, or empty
    std::string drawn_status_; // the status line's title in the back buffer
    std::vector<Rect> changed_;   // areas whose look changed this frame
    std::vector<Rect> presented_; // the same, clipped to the window

};
