// SPDX-License-Identifier: GPL-3.0-or-later
// Page: one named screen of the skin. It owns its elements (buttons, key bindings, lamps,
// sliders, timers, wheel areas, command lists, at most one track list view and one text
// browser) and its three full-window bitmaps; it refers to plug-ins without owning them.
// Every element list walks the most recently added element first, so several elements that
// fire on one input post in the reverse of their configuration order. Pages are passive:
// input handlers and command reactions only post to the command queue and change element
// state; nothing is executed here.
//
// Bitmaps (PagePictures): the pressed and hover bitmaps share the background's object when
// their names are empty; a page with an empty background name has no bitmaps and draws
// nothing. Once the elements are all added, keep_drawn_parts keeps of pressed and hover
// pictures of their own only the areas the elements draw from, and lets go of the pictures
// until the page is drawn; release_pictures lets go of them when the page leaves the screen.
// Links: `register_page` gives the page its back buffer, playback and plug-in drawer; until
// then the page draws nothing and its playback reactions are skipped.
// UI thread only.
#pragma once

#include "base/command.h"
#include "base/rect.h"
#include "image/bitmap_parts.h"
#include "ui/button.h"
#include "ui/command_list.h"
#include "ui/key_binding.h"
#include "ui/lamp.h"
#include "ui/list_view.h"
#include "ui/page_handlers.h"
#include "ui/page_look.h"
#include "ui/page_pictures.h"
#include "ui/page_services.h"
#include "ui/page_timer.h"
#include "ui/slider.h"
#include "ui/text_browser.h"
#include "ui/wheel_area.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class BackBuffer;
class PagePlayback;
class PluginDrawer;
class PluginSlot;

// The page's view of the running player, set at registration; the objects must outlive it.
struct PageLinks {
    BackBuffer* back_buffer = nullptr;
    PagePlayback* playback = nullptr;
    PluginDrawer* plugins = nullptr;
};

class Page final : public PageHandlers {
public:
    // Loads the background by name and the pressed and hover bitmaps by theirs (sharing the
    // background when a name is empty). Image loading errors propagate.
    Page(PageServices services, std::string_view background, std::string_view pressed, std::string_view hover,
         bool fades);
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    void link(const PageLinks& links) { links_ = links; }
    // The page takes part in cross-fading transitions.
    bool fades() const { return fades_; }

    // Builders (the configuration loader), each adding at the front of its list.
    void add_button(Rect rect, Command command);
    void add_key_binding(std::uint16_t key, Command command);
    void add_lamp(Rect rect, std::string name);
    void add_click_command(Command command) { click_commands_.add(command); }
    void add_right_click_command(Command command) { right_click_commands_.add(command); }
    void add_enter_command(Command command) { enter_commands_.add(command); }
    void add_leave_command(Command command) { leave_commands_.add(command); }
    // Replaces any earlier track list view / text browser.
    void set_list_view(ListViewMode mode, Rect rect, const FontEntry* font, std::int32_t line_height);
    void set_text_browser(Rect rect, const FontEntry* font, std::int32_t line_height);
    // Reads the archive file `file_name` as a document of the text browser; nothing without
    // a text browser. Throws SkinError "can't find file <name> in datafile" when it is missing.
    void add_text_item(std::string_view file_name, std::string title);
    // Loads the knob image by name.
    void add_slider(Slider::Orientation orientation, Slider::Type type, std::uint16_t identifier, Rect rect,
                    std::string_view knob_image);
    void add_timer(std::uint64_t interval_ms, Command command);
    // Lower plug-ins draw before upper ones. The page does not own `plugin`.
    enum class PluginLayer { lower, upper };
    void add_plugin(PluginLayer layer, PluginSlot& plugin);
    void add_wheel_area(Rect rect, Command up, Command down);
    // Lists a track title in the track list view, if the page has one.
    void add_title(std::string title);
    // The elements are complete: own pressed and hover pictures shrink to the areas of the
    // buttons, lamps and list lines. Elements added later draw nothing from them. The
    // pictures are let go of until the page is next drawn.
    void keep_drawn_parts();
    // The page has left the screen: its pictures are let go of until it is next drawn.
    void release_pictures() { pictures_.release(); }

    // Input, routed by the window to the current page.
    void on_focus() override;
    void on_key_down(std::uint16_t key) override;
    void on_key_up(std::uint16_t key) override;
    void on_timer(std::uint64_t now_ms) override;
    // `key_state`: the window's mouse-button and modifier flags; hover changes only when none.
    void on_mouse_move(std::int32_t x, std::int32_t y, std::uint16_t key_state) override;
    // Every element sees the press; returns true when one took it (else the window is moved
    // and the click commands have been posted).
    bool on_left_down(std::int32_t x, std::int32_t y) override;
    void on_left_up(std::int32_t x, std::int32_t y) override;
    void on_double_click(std::int32_t x, std::int32_t y) override;
    void on_right_down() override;
    // (x, y) relative to the window's top-left corner; `delta` > 0 turns up.
    void on_wheel(std::int32_t x, std::int32_t y, std::int16_t delta) override;

    // Page life: left by a page switch, entered by one (or at presentation start).
    void on_leave() override;
    void on_enter() override;
    void restart_timers() override;
    // The page became current in place of `left`: its track list view takes the line selected
    // in `left`'s view and shows it. Every view lists the same playlist, and a line activated
    // on `left` during the switch is still queued: its command is answered by this page.
    void take_selection_from(const Page& left);
    // The page's reaction to a command the processor has handled.
    void on_command(std::uint16_t id, std::uint16_t argument) override;

    // Draws the page into the back buffer, advancing button glows by `glow_step` percent.
    void draw_page(std::uint16_t glow_step);
    // The partial redraw, in three steps: advance_look moves the glows and the knobs that
    // follow a value; take_changes appends the areas whose look changed since the page was
    // last drawn (whole or in part) and counts them as drawn; draw_look draws the page as it
    // looks now into `target` (within its clip rectangle), changing no state.
    void advance_look(std::uint16_t glow_step);
    void take_changes(std::vector<Rect>& changed);
    void draw_look(BackBuffer& target) const;
    // Blends the background at `opacity` (0..255), then lets the plug-ins draw.
    void draw_page_faded(float opacity);

    // What makes the page change by itself, for the loop's sleep: the earliest clock time a
    // timer posts at; whether a button's glow still moves; while a track plays, how long
    // until a seek knob moves by a pixel, whose position moves in steps of `position_step`
    // (every `poll` when that cannot be foreseen: modules).
    std::optional<std::uint64_t> next_timer_due() const;
    bool glowing(std::uint16_t glow_step) const;
    std::optional<std::chrono::milliseconds> next_knob_step(std::chrono::milliseconds poll,
                                                            std::chrono::milliseconds position_step) const;

    // Read access for the player, tools and tests.
    const std::deque<Button>& buttons() const { return buttons_; }
    const std::deque<Lamp>& lamps() const { return lamps_; }
    const std::deque<Slider>& sliders() const { return sliders_; }
    const ListView* list_view() const { return list_view_ ? &*list_view_ : nullptr; }
    const TextBrowser* text_browser() const { return text_browser_ ? &*text_browser_ : nullptr; }
    // The pictures, decoded if they are not (see PagePictures).
    const SkinBitmap* background() const { return pictures_.background(); }
    // The whole pressed and hover pictures until keep_drawn_parts, else nullptr.
    const SkinBitmap* pressed_bitmap() const { return pictures_.pressed().whole(); }
    const SkinBitmap* hover_bitmap() const { return pictures_.hover().whole(); }
    bool pictures_decoded() const { return pictures_.decoded(); }

private:
    // Shows every button carrying `command` pressed (down) or releases it, wherever the pointer is.
    void press_bound_buttons(const Command& command, bool down);
    void set_lamps(std::string_view name, bool lit);
    void react_to_slider(std::uint16_t identifier);
    // Moves an undragged knob to show the value its identifier controls.
    void follow_controlled_value(Slider& slider) const;
    void draw_list_view(BackBuffer& target, const ListView& view) const;
    void draw_text_browser(BackBuffer& target, const TextBrowser& browser) const;
    void draw_line(BackBuffer& target, const FontEntry* font, const Rect& view, std::int32_t row,
                   std::int32_t line_height, std::string_view text) const;
    void copy_strip(BackBuffer& target, const BitmapParts& source, const ListView& view, std::int32_t line) const;
    PageLook look() const;
    // A pressed button's look; otherwise a button shows its hover glow at this opacity (0..255).
    static constexpr int pressed_opacity = 256;
    static int button_opacity(const Button& button);
    static Rect knob_rect(const Slider& slider);

    PageServices services_;
    PageLinks links_;
    bool fades_;
    std::deque<Button> buttons_;
    std::deque<KeyBinding> key_bindings_;
    std::deque<Lamp> lamps_;
    std::deque<PluginSlot*> upper_plugins_;
    std::deque<PluginSlot*> lower_plugins_;
    std::deque<Slider> sliders_;
    std::deque<PageTimer> timers_;
    std::deque<WheelArea> wheel_areas_;
    CommandList click_commands_;
    CommandList right_click_commands_;
    CommandList leave_commands_;
    CommandList enter_commands_;
    PagePictures pictures_;
    std::optional<TextBrowser> text_browser_;
    std::optional<ListView> list_view_;
    PageLook drawn_look_;
};
