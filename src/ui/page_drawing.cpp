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

void copy_rect(BackBuffer& target, const SkinBitmap& source, const Rect& rect)
{
    target.blit(source, rect.left, rect.top, rect.width(), rect.height(), rect.left, rect.top);
}

} // namespace

void Page::draw_page(std::uint16_t glow_step)
{
    if (!background_ || !links_.back_buffer)
        return;
    BackBuffer& target = *links_.back_buffer;
    target.blit(*background_, 0, 0, target.width(), target.height(), 0, 0);
    for (const Lamp& lamp : lamps_) {
        if (lamp.lit)
            copy_rect(target, *hover_, lamp.rect);
    }
    for (Button& button : buttons_) {
        button.advance_glow(services_.clock, glow_step);
        const Rect& rect = button.rect();
        if (button.pressed()) {
            copy_rect(target, *pressed_, rect);
        } else if (button.glow_level() * 0.01f > 0.0f) {
            const auto opacity = static_cast<int>(button.glow_level() * 2.55f);
            target.blend(*hover_, rect.left, rect.top, rect.width(), rect.height(), rect.left, rect.top,
                         static_cast<float>(opacity), 0);
        }
    }
    if (list_view_)
        draw_list_view(target, *list_view_);
    if (text_browser_)
        draw_text_browser(target, *text_browser_);
    for (Slider& slider : sliders_) {
        follow_controlled_value(slider);
        const SkinBitmap& knob = slider.knob();
        const bool horizontal = slider.orientation() == Slider::Orientation::horizontal;
        const int x = slider.rect().left + (horizontal ? slider.position() : 0);
        const int y = slider.rect().top + (horizontal ? 0 : slider.position());
        target.blit(knob, x, y, knob.width(), knob.height(), 0, 0);
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
    if (background_)
        target.blend(*background_, 0, 0, target.width(), target.height(), 0, 0, opacity, 0);
    if (!links_.plugins)
        return;
    for (PluginSlot* plugin : lower_plugins_)
        links_.plugins->draw_plugin(*plugin);
    for (PluginSlot* plugin : upper_plugins_)
        links_.plugins->draw_plugin(*plugin);
}

void Page::copy_strip(BackBuffer& target, const SkinBitmap* source, const ListView& view, std::int32_t line) const
{
    const std::int32_t row = line - view.top();
    if (!source || row < 0 || row >= view.visible_lines())
        return;
    const Rect& rect = view.rect();
    const int y = rect.top + row * view.line_height();
    target.blit(*source, rect.left, y, rect.width(), view.line_height(), rect.left, y);
}

void Page::draw_line(BackBuffer& target, const FontEntry* font, const Rect& view, std::int32_t row,
                     std::int32_t line_height, std::string_view text) const
{
    if (font && font->font)
        font->font->draw_text(target, view.left, view.top + row * line_height, to_desktop_text(text), line_colour);
}

void Page::draw_list_view(BackBuffer& target, const ListView& view) const
{
    copy_strip(target, hover_.get(), view, view.hover());
    copy_strip(target, pressed_.get(), view, view.selected());
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
