// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/presentation.h"

#include "app/status_line.h"
#include "audio/audio_engine.h"
#include "base/presentation_names.h"
#include "skin/font_registry.h"
#include "skin/plugin_host.h"

#include <cmath>
#include <utility>

namespace {

// The size the outro's repaint copies, whatever the window's size.
constexpr int repaint_width = 600;
constexpr int repaint_height = 510;

using namespace presentation_names;

// How a switch between two pages is drawn, from the pages' fade flags.
enum class CrossFade : std::uint8_t {
    cut,            // neither page fades: the next page at once
    leaving_fades,  // the current page fades out over the next
    coming_fades,   // the next page fades in over the current
    both_fade,      // both blended over what the back buffer holds
};

CrossFade cross_fade_of(const Page* current, const Page* next)
{
    const bool leaving = current && current->fades();
    const bool coming = next && next->fades();
    if (leaving && coming)
        return CrossFade::both_fade;
    if (leaving)
        return CrossFade::leaving_fades;
    return coming ? CrossFade::coming_fades : CrossFade::cut;
}

} // namespace

std::uint64_t Presentation::elapsed_since(std::uint64_t start_ms) const
{
    const std::uint64_t now = t_.clock.now_ms();
    return now < start_ms ? 0 : now - start_ms;
}

NamedList<Region> Presentation::build_regions(const DataArchive& archive, std::int32_t width, std::int32_t height,
                                              int scale)
{
    NamedList<Region> regions;
    Region panel = build_window_region(archive, "Data\\panel.rgn", width, height, scale);
    regions.insert(std::string(panel_region), std::make_unique<Region>(std::move(panel)));
    // The builder draws the intro's shape for the name "intro"; the outro has the same shape.
    regions.insert(std::string(intro_region), std::make_unique<Region>(build_region(archive, intro_region, 0, 0)));
    regions.insert(std::string(outro_region), std::make_unique<Region>(build_region(archive, intro_region, 0, 0)));
    return regions;
}

void Presentation::presentation_start()
{
    const ShellState& shell = t_.shell;
    regions_ = build_regions(t_.archive, shell.window_width, shell.window_height, t_.back_buffer.scale());
    t_.shell.presentation_start_ms = t_.clock.now_ms();
    if (!layered()) {
        apply_region(intro_region);
        t_.window.show();
    }
    if (Page* page = t_.pages.find_page(shell.current_page)) {
        page->restart_timers();
        page->on_enter();
    }
    t_.plugins.start_plugins();
}

void Presentation::presentation_resume(NamedList<Region> regions)
{
    regions_ = std::move(regions);
    const ShellState& shell = t_.shell;
    if (layered()) {
        t_.window.set_colour_key(shell.alpha_in_use, colour_key);
        t_.window.set_alpha(shell.alpha_in_use ? shell.window_alpha : 255);
    }
    if (!shell.window_region.empty())
        apply_region(std::string(shell.window_region));
    if (Page* page = t_.pages.find_page(shell.current_page)) {
        page->restart_timers();
        page->on_mouse_move(shell.last_mouse_x, shell.last_mouse_y, 0);
    }
    t_.plugins.start_plugins();
}

void Presentation::frame_tick()
{
    if (t_.tray.icon_shown()) {
        drawn_page_.clear();
        return;
    }
    if (layered())
        layered_switch();
    else
        non_layered_switch();
    update_plugin_context();
    const bool still = !t_.shell.page_switch && t_.shell.presentation_state == PresentationState::none;
    if (still && !drawn_page_.empty() && drawn_page_ == t_.shell.current_page) {
        draw_changes();
        return;
    }
    if (!t_.shell.page_switch)
        draw_current_page();
    else
        page_switch_step();
    if (layered() && t_.shell.alpha_in_use)
        t_.window.set_alpha(t_.shell.window_alpha);
    t_.window.present(t_.back_buffer);
    // Fades and cross-fades leave a frame no partial redraw can continue from.
    drawn_page_ = still ? t_.shell.current_page : std::string();
}

void Presentation::draw_changes()
{
    Page* page = t_.pages.find_page(t_.shell.current_page);
    if (!page)
        return;
    page->advance_look(t_.shell.glow_step);
    changed_.clear();
    page->take_changes(changed_);
    const bool status_line = !is_presentation_page(t_.shell.current_page);
    if (status_line && status_title() != drawn_status_) {
        drawn_status_ = status_title();
        // The title's width is the font's business: everything right of and below its corner.
        changed_.push_back(Rect{status_line_x, status_line_y, t_.back_buffer.width(), t_.back_buffer.height()});
    }
    presented_.clear();
    for (const Rect& area : changed_) {
        t_.back_buffer.set_clip(area);
        if (t_.back_buffer.clip().width() <= 0 || t_.back_buffer.clip().height() <= 0)
            continue;
        presented_.push_back(t_.back_buffer.clip());
        page->draw_look(t_.back_buffer);
        if (status_line)
            draw_status_line();
    }
    t_.back_buffer.reset_clip();
    if (!presented_.empty())
        t_.window.present_parts(t_.back_buffer, presented_);
}

std::optional<std::chrono::milliseconds> Presentation::next_frame_delay(std::chrono::milliseconds period,
                                                                      std::chrono::milliseconds knob_poll,
                                                                      std::chrono::milliseconds position_step) const
{
    const ShellState& shell = t_.shell;
    const bool drawn = !t_.tray.icon_shown();
    if (drawn && (shell.page_switch || shell.presentation_state != PresentationState::none))
        return period;
    const Page* page = t_.pages.find_page(shell.current_page);
    if (!page)
        return std::nullopt;
    if (drawn && page->glowing(shell.glow_step))
        return period;
    std::optional<std::chrono::milliseconds> delay;
    if (const auto due = page->next_timer_due()) {
        const std::uint64_t now = t_.clock.now_ms();
        delay = std::chrono::milliseconds(*due > now ? static_cast<std::int64_t>(*due - now) : 0);
    }
    if (const auto knob = drawn ? page->next_knob_step(knob_poll, position_step) : std::nullopt; knob && (!delay || *knob < *delay))
        delay = knob;
    return delay;
}

void Presentation::draw_still_frame(BackBuffer& target) const
{
    const Page* page = t_.pages.find_page(t_.shell.current_page);
    if (!page)
        return;
    page->draw_look(target);
    if (!is_presentation_page(t_.shell.current_page))
        ::draw_status_line(target, t_.fonts, t_.audio.titles(), t_.audio.current_index());
}

std::string_view Presentation::status_title() const
{
    return t_.audio.titles().title(t_.audio.current_index());
}

void Presentation::layered_switch()
{
    ShellState& shell = t_.shell;
    if (shell.page_switch) {
        if (shell.current_page == intro_page) {
            shell.presentation_start_ms = t_.clock.now_ms();
            shell.presentation_state = PresentationState::intro_fading_out;
        } else if (shell.next_page == outro_page) {
            shell.presentation_start_ms = t_.clock.now_ms();
            shell.presentation_state = PresentationState::panel_fading_out;
            shell.alpha_in_use = true;
            shell.repaint = true;
            // Layered again, without a region: the colour key shapes the window.
            t_.window.set_colour_key(true, colour_key);
            t_.window.clear_shape();
            shell.window_region.clear();
            repaint();
        }
        if (shell.next_page == empty_page) {
            shell.presentation_state = PresentationState::closing;
            shell.presentation_start_ms = t_.clock.now_ms();
        }
    }
    if (shell.presentation_state != PresentationState::none) {
        presentation_step();
        shell.page_switch = false;
    }
}

void Presentation::non_layered_switch()
{
    ShellState& shell = t_.shell;
    if (!shell.page_switch) {
        shell.presentation_state = PresentationState::none;
        return;
    }
    if (shell.current_page == intro_page) {
        make_next_page_current();
        apply_region(panel_region);
        shell.presentation_state = PresentationState::intro_fading_out;
    } else if (shell.next_page == outro_page) {
        make_next_page_current();
        apply_region(outro_region);
        shell.presentation_state = PresentationState::panel_fading_out;
    }
    if (shell.next_page == empty_page) {
        t_.shell_window.hide_window();
        t_.shell_window.quit();
        shell.presentation_state = PresentationState::none;
        shell.page_switch = false;
    } else if (shell.presentation_state != PresentationState::none) {
        shell.presentation_state = PresentationState::none;
        shell.page_switch = false;
    }
}

void Presentation::presentation_step()
{
    ShellState& shell = t_.shell;
    const float a = static_cast<float>(elapsed_since(shell.presentation_start_ms)) * alpha_per_ms;
    const bool ended = a >= 255.0f;
    const auto rising = static_cast<std::uint8_t>(std::fmin(a, 255.0f));
    const auto falling = static_cast<std::uint8_t>(255 - rising);

    switch (shell.presentation_state) {
    case PresentationState::none:
        break;
    case PresentationState::intro_fading_in:
        if (a >= intro_alpha) {
            shell.window_alpha = intro_alpha;
            shell.presentation_state = PresentationState::none;
        } else {
            shell.window_alpha = rising;
        }
        break;
    case PresentationState::intro_fading_out:
    case PresentationState::panel_fading_out:
        if (ended) {
            make_next_page_current();
            shell.presentation_start_ms = t_.clock.now_ms();
            shell.presentation_state = shell.presentation_state == PresentationState::intro_fading_out
                ? PresentationState::panel_fading_in
                : PresentationState::outro_fading_in;
            shell.window_alpha = 0;
        } else {
            shell.window_alpha = falling;
        }
        break;
    case PresentationState::panel_fading_in:
        if (ended) {
            shell.window_alpha = 255;
            shell.presentation_state = PresentationState::none;
            // No longer layered: the region shapes the window, the alpha is left alone. The
            // key goes first, as dropping it also drops the shape it gave the window.
            t_.window.set_colour_key(false, colour_key);
            t_.window.set_alpha(255);
            apply_region(panel_region);
            shell.alpha_in_use = false;
        } else {
            shell.window_alpha = rising;
        }
        break;
    case PresentationState::outro_fading_in:
        shell.window_alpha = ended ? 255 : rising;
        if (ended)
            shell.presentation_state = PresentationState::none;
        break;
    case PresentationState::closing:
        if (ended) {
            shell.window_alpha = 0;
            shell.presentation_state = PresentationState::none;
            t_.shell_window.quit();
        } else {
            shell.window_alpha = falling;
        }
        break;
    }
}

void Presentation::page_switch_step()
{
    ShellState& shell = t_.shell;
    if (t_.pages.page_count() == 0)
        return;
    Page* current = t_.pages.find_page(shell.current_page);
    Page* next = t_.pages.find_page(shell.next_page);

    float a = 256.0f; // a duration of 0 completes at once
    if (shell.page_switch_ms != 0)
        a = static_cast<float>(elapsed_since(shell.page_switch_start_ms)) / static_cast<float>(shell.page_switch_ms) *
            255.0f;
    if (a > 255.0f) {
        a = 255.0f;
        shell.page_switch = false;
    }
    const auto t = static_cast<std::uint8_t>(a);
    const auto opaque = [&](Page* page) {
        if (page)
            page->draw_page(shell.glow_step);
    };
    const auto faded = [](Page* page, int opacity) {
        if (page)
            page->draw_page_faded(static_cast<float>(opacity));
    };
    switch (cross_fade_of(current, next)) {
    case CrossFade::cut:
        opaque(next);
        shell.page_switch = false;
        break;
    case CrossFade::leaving_fades:
        opaque(next);
        faded(current, 255 - t);
        break;
    case CrossFade::coming_fades:
        opaque(current);
        faded(next, t);
        break;
    case CrossFade::both_fade:
        faded(current, 255 - t);
        faded(next, t);
        break;
    }
    if (!shell.page_switch)
        make_next_page_current();
}

void Presentation::make_next_page_current()
{
    ShellState& shell = t_.shell;
    Page* left = t_.pages.find_page(shell.current_page);
    shell.current_page = shell.next_page;
    Page* page = t_.pages.find_page(shell.current_page);
    if (left && left != page)
        left->release_pictures();
    if (page) {
        if (left && left != page)
            page->take_selection_from(*left);
        page->restart_timers();
        page->on_mouse_move(shell.last_mouse_x, shell.last_mouse_y, 0);
    }
}

void Presentation::apply_region(std::string_view name)
{
    if (const Region* region = regions_.find(name)) {
        t_.window.set_shape(region->rectangles, region->scale);
        t_.shell.window_region = name;
    }
}

void Presentation::update_plugin_context()
{
    PluginHost& plugins = t_.plugins;
    plugins.set_page_name(t_.shell.current_page);
    // The magnitudes cost an FFT: worked out for frames where the plug-ins draw (the
    // buffer stays where it is between them).
    if (t_.shell.page_switch || !plugins.context().spectrum)
        plugins.set_spectrum(t_.audio.get_spectrum().data());
    plugins.set_playing(t_.audio.current_activity() == Channel::Activity::playing);
    plugins.set_current_track(static_cast<std::uint16_t>(t_.audio.current_index()));
    plugins.set_event(t_.shell.plugin_event);
}

void Presentation::draw_current_page()
{
    Page* page = t_.pages.find_page(t_.shell.current_page);
    if (!page)
        return;
    page->draw_page(t_.shell.glow_step);
    if (!is_presentation_page(t_.shell.current_page)) {
        draw_status_line();
        drawn_status_ = status_title();
    }
}

void Presentation::draw_status_line()
{
    ::draw_status_line(t_.back_buffer, t_.fonts, t_.audio.titles(), t_.audio.current_index());
}

void Presentation::repaint()
{
    const Page* page = t_.pages.find_page(t_.shell.current_page);
    if (page && page->background())
        t_.back_buffer.blit(*page->background(), 0, 0, repaint_width, repaint_height, 0, 0);
    if (!t_.fonts.empty())
        draw_status_line();
    t_.window.present(t_.back_buffer);
    t_.shell.repaint = false;
}
