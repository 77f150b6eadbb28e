// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel_art.h"

#include <cmath>
#include <numbers>

namespace {

using layout::Box;

constexpr Colour black{0, 0, 0};
constexpr double groove_radius = 6.0;
// The player reads pure white as "transparent" in a layered window: the art stays below it.
constexpr Colour near_white{250, 250, 248};

Box grown(const Box& box, int by)
{
    return {box.left - by, box.top - by, box.right + by, box.bottom + by};
}

double centre_x(const Box& box)
{
    return (box.left + box.right) / 2.0;
}

double centre_y(const Box& box)
{
    return (box.top + box.bottom) / 2.0;
}

// Transport and window-button symbols, centred on (x, y), about 16 pixels across.
void draw_symbol(Canvas& canvas, std::string_view name, double x, double y, Colour colour, double alpha)
{
    const Box area{static_cast<int>(x) - 14, static_cast<int>(y) - 14, static_cast<int>(x) + 15, static_cast<int>(y) + 15};
    const auto triangle = [&](double tip_x, double direction) {
        canvas.fill(area, polygon({{tip_x, y}, {tip_x - 9 * direction, y - 6.5}, {tip_x - 9 * direction, y + 6.5}}), solid(colour), alpha);
    };
    const auto bar = [&](double left, double width, double half_height) {
        canvas.fill(area, rounded_box(left, y - half_height, left + width, y + half_height, 1.0), solid(colour), alpha);
    };
    if (name == "play") {
        canvas.fill(area, polygon({{x + 7, y}, {x - 5, y - 8}, {x - 5, y + 8}}), solid(colour), alpha);
    } else if (name == "pause") {
        bar(x - 6, 4.5, 7);
        bar(x + 1.5, 4.5, 7);
    } else if (name == "stop") {
        canvas.fill(area, rounded_box(x - 6.5, y - 6.5, x + 6.5, y + 6.5, 1.5), solid(colour), alpha);
    } else if (name == "next" || name == "prev") {
        const double direction = name == "next" ? 1.0 : -1.0;
        triangle(x + 4 * direction, direction);
        bar(direction > 0 ? x + 4 : x - 7, 3, 6.5);
    } else if (name == "forward" || name == "rewind") {
        const double direction = name == "forward" ? 1.0 : -1.0;
        triangle(x + 1 * direction, direction);
        triangle(x + 9 * direction, direction);
    } else if (name == "repeat") {
        canvas.fill(area,
                    [=](double px, double py) {
                        const double distance = std::hypot(px - x, py - y);
                        const double angle = std::atan2(py - y, px - x);
                        const double ring = std::clamp(1.8 - std::abs(distance - 6.5), 0.0, 1.0);
                        return angle > -1.2 && angle < -0.2 ? 0.0 : ring;
                    },
                    solid(colour), alpha);
        canvas.fill(area, polygon({{x + 3.0, y - 10.5}, {x + 10.5, y - 6.0}, {x + 3.5, y - 1.5}}), solid(colour), alpha);
    } else if (name == "random") {
        canvas.fill(area, line({x - 8, y + 6}, {x + 5, y - 6}, 2.4), solid(colour), alpha);
        canvas.fill(area, line({x - 8, y - 6}, {x + 5, y + 6}, 2.4), solid(colour), alpha);
        canvas.fill(area, polygon({{x + 10, y - 6}, {x + 3, y - 10}, {x + 3, y - 2}}), solid(colour), alpha);
        canvas.fill(area, polygon({{x + 10, y + 6}, {x + 3, y + 2}, {x + 3, y + 10}}), solid(colour), alpha);
    } else if (name == "tray") {
        canvas.fill(area, line({x - 5, y - 3}, {x, y + 2}, 2.4), solid(colour), alpha);
        canvas.fill(area, line({x + 5, y - 3}, {x, y + 2}, 2.4), solid(colour), alpha);
        canvas.fill(area, rounded_box(x - 6, y + 5, x + 6, y + 7.4, 1.0), solid(colour), alpha);
    } else if (name == "minimise") {
        canvas.fill(area, rounded_box(x - 6, y + 2, x + 6, y + 4.4, 1.0), solid(colour), alpha);
    } else if (name == "quit") {
        canvas.fill(area, line({x - 5, y - 5}, {x + 5, y + 5}, 2.4), solid(colour), alpha);
        canvas.fill(area, line({x + 5, y - 5}, {x - 5, y + 5}, 2.4), solid(colour), alpha);
    }
}

// A rounded button in one of the three states, with its symbol and an optional label.
void draw_button(Canvas& canvas, const Look& look, const ArtFonts& fonts, const Box& box, double radius, ArtState state,
                 std::string_view symbol, std::string_view label)
{
    const bool pressed = state == ArtState::pressed, lit = state == ArtState::hover;
    const Box face = grown(box, -1);
    if (!pressed)
        canvas.shadow({box.left, box.top + 2, box.right, box.bottom + 1}, radius, 3.0, black, 0.22);
    canvas.fill(grown(box, 1), rounded_box(box, radius), solid(look.button_edge));
    Colour top = look.button_top, bottom = look.button_bottom;
    if (pressed) {
        top = mix(look.button_bottom, black, 0.12);
        bottom = mix(look.button_top, look.button_bottom, 0.35);
    } else if (lit) {
        top = mix(top, look.light, 0.28);
        bottom = mix(bottom, look.light, 0.45);
    }
    canvas.fill(box, rounded_box(face, radius - 1), vertical(top, bottom, face.top, face.bottom));
    if (pressed) { // the upper edge in shadow
        canvas.fill(box, rounded_box(face, radius - 1), vertical(black, top, face.top, face.top + 6), 0.25);
    } else { // a thin highlight along the top
        canvas.fill({face.left, face.top, face.right, face.top + 3},
                    rounded_box(face.left + 2, face.top + 0.5, face.right - 2, face.top + 2.0, 0.75), solid(near_white), 0.55);
    }
    if (lit)
        canvas.fill(grown(box, 2), [&](double x, double y) { return rounded_box(box, radius)(x, y) * (1.0 - rounded_box(grown(box, -2), radius - 2)(x, y)); },
                    solid(look.light), 0.9);
    const double shift = pressed ? 1.0 : 0.0;
    const Colour ink = lit ? mix(look.icon, look.light, 0.35) : look.icon;
    if (label.empty()) {
        draw_symbol(canvas, symbol, centre_x(box), centre_y(box) + shift, ink, 1.0);
        return;
    }
    draw_symbol(canvas, symbol, centre_x(box), box.top + 18 + shift, ink, 1.0);
    fonts.label.draw_centred(canvas, label, static_cast<int>(centre_x(box)), box.bottom - 8 + static_cast<int>(shift), ink, 0.9);
}

// A light bar or dot: dark, or lit with a halo that stays inside its box.
void draw_lamp(Canvas& canvas, const Look& look, const Box& box, bool lit)
{
    const Box core = grown(box, -2);
    const double radius = std::min(core.width(), core.height()) / 2.0;
    if (lit) {
        canvas.fill(box, rounded_box(box, radius + 2), solid(look.light), 0.35);
        canvas.fill(box, rounded_box(core, radius), vertical(mix(look.light, near_white, 0.55), look.light, core.top, core.bottom));
    } else {
        canvas.fill(box, rounded_box(core, radius), solid(mix(look.rim, look.body_bottom, 0.35)), 0.55);
    }
}

void draw_body(Canvas& canvas, const Look& look)
{
    using namespace layout;
    canvas.fill({0, 0, window_width, window_height}, rounded_box(body, body_radius), solid(look.rim));
    const Box inner = grown(body, -2);
    canvas.fill(body, rounded_box(inner, body_radius - 2), vertical(look.body_top, look.body_bottom, inner.top, inner.bottom));
    // A soft sheen across the upper third and a light edge along the top.
    canvas.fill(inner, rounded_box(inner, body_radius - 2), vertical(near_white, look.body_top, inner.top, inner.top + 170), 0.18);
    canvas.fill({inner.left, inner.top, inner.right, inner.top + 4},
                rounded_box(inner.left + 14, inner.top + 0.5, inner.right - 14, inner.top + 2, 0.75), solid(near_white), 0.45);
}

void draw_emblem(Canvas& canvas, const Look& look)
{
    using namespace layout;
    const double x = centre_x(emblem), y = centre_y(emblem);
    const Box area = grown(emblem, 4);
    switch (look.emblem) {
    case Emblem::sun:
        for (int ray = 0; ray < 8; ++ray) {
            const double angle = ray * std::numbers::pi / 4;
            canvas.fill(area, line({x + 10 * std::cos(angle), y + 10 * std::sin(angle)}, {x + 15 * std::cos(angle), y + 15 * std::sin(angle)}, 2.6),
                        solid(look.light));
        }
        canvas.fill(area, circle(x, y, 7.5), vertical(Colour::hex(0xFFD35A), look.light, y - 8, y + 8));
        break;
    case Emblem::sunset:
        canvas.fill(area, [&](double px, double py) { return py < y + 3 ? circle(x, y + 3, 11)(px, py) : 0.0; },
                    vertical(Colour::hex(0xFFD37A), look.light, y - 9, y + 3));
        for (int stripe = 0; stripe < 3; ++stripe) {
            const double sy = y + 6.5 + stripe * 3.5;
            canvas.fill(area, line({x - 13 + stripe * 3, sy}, {x + 13 - stripe * 3, sy}, 1.6), solid(look.light), 0.9 - stripe * 0.25);
        }
        break;
    case Emblem::moon:
        canvas.fill(area, [&](double px, double py) { return circle(x, y, 11)(px, py) * (1.0 - circle(x + 6, y - 4, 9.5)(px, py)); },
                    vertical(mix(look.light, near_white, 0.6), look.light, y - 11, y + 11));
        for (const Point star : {Point{x + 11, y + 7}, Point{x + 15, y - 10}, Point{x + 5, y + 14}})
            canvas.fill(area, circle(star.x, star.y, 1.2), solid(near_white), 0.9);
        break;
    }
}

void draw_title_bar(Canvas& canvas, const Look& look, const ArtFonts& fonts, ArtState state)
{
    using namespace layout;
    draw_emblem(canvas, look);
    fonts.title.draw(canvas, "vorlunde", title_x, title_baseline, look.ink);
    const int caption_left = title_x + fonts.title.width("vorlunde") + 12;
    fonts.caption.draw(canvas, look.caption, caption_left, title_baseline - 1, look.ink, 0.7, 2);
    draw_button(canvas, look, fonts, tray_button, 14, state, "tray", "");
    draw_button(canvas, look, fonts, minimise_button, 14, state, "minimise", "");
    draw_button(canvas, look, fonts, quit_button, 14, state, "quit", "");
}

// A frame with a caption strip and a paper area; `view` is filled with `fill` in the pressed
// and hover pictures, so the player's list lines show the selection and hover colours.
void draw_display(Canvas& canvas, const Look& look, const ArtFonts& fonts, const Box& frame, const Box& view, const Box& scroll,
                  std::string_view caption, ArtState state)
{
    canvas.shadow({frame.left, frame.top + 1, frame.right, frame.bottom + 1}, 12, 3.0, black, 0.2);
    canvas.fill(grown(frame, 1), rounded_box(frame, 12), vertical(mix(look.bezel, near_white, 0.08), look.bezel, frame.top, frame.bottom));
    const Box paper{frame.left + 4, view.top - 4, frame.right - 4, frame.bottom - 4};
    canvas.fill(paper, rounded_box(paper, 8), vertical(look.paper_top, look.paper_bottom, paper.top, paper.bottom));
    canvas.fill({paper.left, paper.top, paper.right, paper.top + 6}, rounded_box(paper, 8), vertical(black, look.paper_top, paper.top, paper.top + 6), 0.12);
    fonts.caption.draw(canvas, caption, frame.left + 12, layout::caption_baseline - 1, look.bezel_text, 0.95, 2);
    if (state != ArtState::normal)
        canvas.fill(view, rounded_box(view, 3), solid(state == ArtState::hover ? look.paper_hover : look.paper_selected));
    const Box groove{scroll.left, scroll.top - static_cast<int>(groove_radius), scroll.right, scroll.bottom + static_cast<int>(groove_radius)};
    canvas.fill(groove, rounded_box(groove, groove_radius), solid(look.groove));
}

void draw_seek_groove(Canvas& canvas, const Look& look)
{
    using namespace layout;
    const Box groove{seek_slider.left - static_cast<int>(groove_radius), seek_slider.top,
                     seek_slider.right + static_cast<int>(groove_radius), seek_slider.bottom};
    canvas.fill(grown(groove, 1), rounded_box(grown(groove, 1), groove_radius + 1), solid(mix(look.groove, look.rim, 0.5)), 0.45);
    canvas.fill(groove, rounded_box(groove, groove_radius), solid(look.groove));
}

void draw_status(Canvas& canvas, const Look& look, const ArtFonts& fonts, ArtState state)
{
    using namespace layout;
    const Box display = status_display;
    canvas.shadow({display.left, display.top + 1, display.right, display.bottom + 1}, 12, 3.0, black, 0.2);
    canvas.fill(grown(display, 1), rounded_box(display, 12), solid(look.bezel));
    const Box paper = grown(display, -4);
    canvas.fill(paper, rounded_box(paper, 9), vertical(look.paper_top, look.paper_bottom, paper.top, paper.bottom));
    canvas.fill({paper.left, paper.top, paper.right, paper.top + 6}, rounded_box(paper, 9), vertical(black, look.paper_top, paper.top, paper.top + 6), 0.12);
    const Colour label = mix(look.paper_bottom, Colour::hex(0x6B4312), 0.6);
    fonts.caption.draw(canvas, "LOOP", module_loop_lamp.left - 8 - fonts.caption.width("LOOP", 1), module_loop_lamp.bottom - 2, label, 0.9, 1);
    const Box lamp_well = grown(module_loop_lamp, 1);
    canvas.fill(lamp_well, circle(centre_x(lamp_well), centre_y(lamp_well), lamp_well.width() / 2.0), solid(label), 0.25);
    draw_lamp(canvas, look, module_loop_lamp, state == ArtState::hover);
}

void draw_controls(Canvas& canvas, const Look& look, const ArtFonts& fonts, ArtState state)
{
    using namespace layout;
    for (std::size_t i = 0; i < transport.size(); ++i)
        draw_button(canvas, look, fonts, transport_button(i), 10, state, transport[i].label, transport[i].label);
    draw_button(canvas, look, fonts, repeat_button, 10, state, "repeat", "repeat");
    draw_button(canvas, look, fonts, random_button, 10, state, "random", "random");
    draw_lamp(canvas, look, repeat_lamp, state == ArtState::hover);
    draw_lamp(canvas, look, random_lamp, state == ArtState::hover);
}

Canvas draw_knob(const Look& look, int width, int height)
{
    Canvas knob(width, height, look.groove);
    const Box all{0, 0, width, height};
    const double radius = std::min(width, height) / 2.0;
    knob.fill(all, rounded_box(all, radius), vertical(look.knob_top, look.knob_bottom, 0, height));
    knob.fill(all, rounded_box(1.5, 1.0, width - 1.5, height / 2.0, radius - 1), solid(near_white), 0.25);
    return knob;
}

} // namespace

Coverage panel_shape()
{
    return rounded_box(layout::body, layout::body_radius);
}

Canvas draw_panel(const Look& look, ArtState state, const ArtFonts& fonts)
{
    using namespace layout;
    Canvas canvas(window_width, window_height, look.rim);
    draw_body(canvas, look);
    draw_title_bar(canvas, look, fonts, state);
    draw_display(canvas, look, fonts, list_frame, list_view, list_scroll, "PLAYLIST", state);
    draw_display(canvas, look, fonts, browser_frame, browser_view, browser_scroll, "READ ME", state);
    draw_button(canvas, look, fonts, browser_back, 8, state, "", "");
    fonts.label.draw_centred(canvas, "‹ back", static_cast<int>(centre_x(browser_back)), browser_back.bottom - 5 + (state == ArtState::pressed ? 1 : 0),
                             state == ArtState::hover ? mix(look.icon, look.light, 0.35) : look.icon);
    draw_seek_groove(canvas, look);
    draw_controls(canvas, look, fonts, state);
    draw_status(canvas, look, fonts, state);
    return canvas;
}

Canvas draw_seek_knob(const Look& look)
{
    return draw_knob(look, layout::seek_knob_width, layout::seek_slider.height());
}

Canvas draw_scroll_knob(const Look& look)
{
    return draw_knob(look, layout::list_scroll.width(), layout::scroll_knob_height);
}
