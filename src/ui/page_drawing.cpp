// SPDX-License-Identifier: GPL-3.0-or-later
// Page drawing: the skin's artwork for buttons and lamps, and the list view, text browser and
// slider knobs drawn from the page's bitmaps and the skin's fonts.
#include "ui/page.h"

#include "audio/page_playback.h"
#include "base/desktop_text.h"
#include "image/back_buffer.h"
#include "skin/font_entry.h"
#include "skin/plugin_drawer.h"

namespace {

// Lines of list views and text browsers: the status line's colour (red 0x6B, green 0x43,
// blue 0x12).
constexpr std::uint32_t line_colour = 0x6B4312;

} // namespace

void Page::draw_page(std::uint16_t glow_step)
{
    if (!pictures_.exist() || !links_.back_buffer)
        return;
    advance_look(glow_step);
    draw_look(*links_.back_buffer);
    drawn_look_ = look();
}

void Page::advance_look(std::uint16_t glow_step)
{
    for (Button& button : buttons_)
        button.advance_glow(services_.clock, glow_step);
    for (Slider& slider : sliders_)
        follow_controlled_value(slider);
}

void Page::take_changes(std::vector<Rect>& changed)
{
    PageLook now = look();
    add_changed_areas(drawn_look_, now, changed);
    drawn_look_ = std::move(now);
}

PageLook Page::look() const
{
    PageLook look;
    if (!pictures_.exist() || !links_.back_buffer)
        return look;
    for (const Lamp& lamp : lamps_)
        look.parts.push_back({lamp.rect, {lamp.lit}});
    for (const Button& button : buttons_)
        look.parts.push_back({button.rect(), {button_opacity(button)}});
    // Lines of text may run past a view's right and bottom edges: its area reaches the
    // window's corner.
    const BackBuffer& target = *links_.back_buffer;
    const auto text_area = [&](const Rect& view) { return Rect{view.left, view.top, target.width(), target.height()}; };
    if (list_view_)
        look.parts.push_back({text_area(list_view_->rect()), {list_view_->top(), list_view_->hover(), list_view_->selected()}});
    if (text_browser_) {
        const TextBrowser& browser = *text_browser_;
        const ListView& titles = browser.titles();
        look.parts.push_back({text_area(browser.rect()),
                              {browser.reading(), browser.item_index(), browser.first_line(), titles.top(), titles.hover(),
                               titles.selected()}});
    }
    for (const Slider& slider : sliders_) {
        const Rect knob = knob_rect(slider);
        look.parts.push_back({knob, {}});
    }
    return look;
}

Rect Page::knob_rect(const Slider& slider)
{
    const bool horizontal = slider.orientation() == Slider::Orientation::horizontal;
    const int x = slider.rect().left + (horizontal ? slider.position() : 0);
    const int y = slider.rect().top + (horizontal ? 0 : slider.position());
    return Rect{x, y, x + slider.knob().width(), y + slider.knob().height()};
}

int Page::button_opacity(const Button& button)
{
    if (button.pressed())
        return pressed_opacity;
    return button.glow_level() * 0.01f > 0.0f ? static_cast<int>(button.glow_level() * 2.55f) : 0;
}

void Page::draw_look(BackBuffer& target) const
{
    const SkinBitmap* background = pictures_.background();
    if (!background)
        return;
    target.blit(*background, 0, 0, target.width(), target.height(), 0, 0);
    const BitmapParts& pressed = pictures_.pressed();
    const BitmapParts& hover = pictures_.hover();
    for (const Lamp& lamp : lamps_) {
        if (lamp.lit)
            hover.blit(target, lamp.rect);
    }
    for (const Button& button : buttons_) {
        const Rect& rect = button.rect();
        const int opacity = button_opacity(button);
        if (opacity == pressed_opacity)
            pressed.blit(target, rect);
        else if (opacity > 0)
            hover.blend(target, rect, static_cast<float>(opacity));
    }
    if (list_view_)
        draw_list_view(target, *list_view_);
    if (text_browser_)
        draw_text_browser(target, *text_browser_);
    for (const Slider& slider : sliders_) {
        const Rect knob = knob_rect(slider);
        target.blit(slider.knob(), knob.left, knob.top, knob.width(), knob.height(), 0, 0);
    }
}

void Page::follow_controlled_value(Slider& slider) const
{
    switch (slider.identifier()) {
    case Slider::seek_identifier:
        if (links_.playback)
            slider.show_fraction(links_.playback->playback_fraction());
        break;
    case Slider::list_scroll_identifier:
        if (list_view_)
            slider.show_fraction(list_view_->scroll_fraction());
        break;
    case Slider::text_scroll_identifier:
        if (text_browser_)
            slider.show_fraction(text_browser_->scroll_fraction());
        break;
    default: break;
    }
}

void Page::draw_page_faded(float opacity)
{
    if (!links_.back_buffer)
        return;
    BackBuffer& target = *links_.back_buffer;
    if (const SkinBitmap* background = pictures_.background())
        target.blend(*background, 0, 0, target.width(), target.height(), 0, 0, opacity, 0);
    if (!links_.plugins || (lower_plugins_.empty() && upper_plugins_.empty()))
        return;
    // Plug-ins draw skin pixels on the back buffer's canvas.
    target.open_canvas();
    for (PluginSlot* plugin : lower_plugins_)
        links_.plugins->draw_plugin(*plugin);
    for (PluginSlot* plugin : upper_plugins_)
        links_.plugins->draw_plugin(*plugin);
    target.close_canvas();
}

void Page::copy_strip(BackBuffer& target, const BitmapParts& source, const ListView& view, std::int32_t line) const
{
    const std::int32_t row = line - view.top();
    if (row < 0 || row >= view.visible_lines())
        return;
    const Rect& rect = view.rect();
    const int y = rect.top + row * view.line_height();
    source.blit(target, Rect{rect.left, y, rect.right, y + view.line_height()});
}

void Page::draw_line(BackBuffer& target, const FontEntry* font, const Rect& view, std::int32_t row,
                     std::int32_t line_height, std::string_view text) const
{
    if (font && font->font)
        font->font->draw_text(target, view.left, view.top + row * line_height, to_desktop_text(text), line_colour);
}

void Page::draw_list_view(BackBuffer& target, const ListView& view) const
{
    copy_strip(target, pictures_.hover(), view, view.hover());
    copy_strip(target, pictures_.pressed(), view, view.selected());
    for (std::int32_t row = 0; row < view.visible_lines(); ++row)
        draw_line(target, view.font(), view.rect(), row, view.line_height(), view.line(view.top() + row));
}

void Page::draw_text_browser(BackBuffer& target, const TextBrowser& browser) const
{
    const TextItem* item = browser.current_item();
    if (!item) {
        draw_list_view(target, browser.titles());
        return;
    }
    for (std::int32_t row = 0; row < browser.visible_lines() && browser.first_line() + row < item->line_count(); ++row)
        draw_line(target, browser.font(), browser.rect(), row, browser.line_height(),
                  item->line(browser.first_line() + row));
}
