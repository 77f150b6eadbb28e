// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation_art.h"

#include "random.h"

#include <cmath>

namespace {

using layout::Box;
using layout::presentation;

constexpr Colour near_white{250, 248, 244};

struct Scene {
    Colour sky_top, sky_bottom;
    Colour hills[3];  // far to near
    Colour glow;      // sun or moon
    double orb_y;     // centre of the sun or moon
    bool stars;
};

// Sky, a sun or moon, and three rolling hills, inside the rounded square.
Canvas draw_scene(const Scene& scene)
{
    Canvas canvas(layout::window_width, layout::window_height, Colour::hex(0x101420));
    const Coverage shape = presentation_shape();
    const double top = presentation.top, bottom = presentation.bottom;
    canvas.fill(presentation, shape, vertical(scene.sky_top, scene.sky_bottom, top, bottom - 120));
    const double orb_x = presentation.left + 280;
    if (scene.stars) {
        Random random(5);
        for (int star = 0; star < 70; ++star) {
            const double x = presentation.left + 20 + random.unit() * 380, y = top + 15 + random.unit() * 230;
            canvas.fill({static_cast<int>(x) - 2, static_cast<int>(y) - 2, static_cast<int>(x) + 3, static_cast<int>(y) + 3},
                        [&](double px, double py) { return shape(px, py) * circle(x, y, 0.6 + random.unit() * 0.8)(px, py); },
                        solid(near_white), 0.5 + random.unit() * 0.5);
        }
    }
    canvas.fill(presentation, [&](double x, double y) { return shape(x, y) * circle(orb_x, scene.orb_y, 90)(x, y); },
                solid(scene.glow), 0.12);
    canvas.fill(presentation, [&](double x, double y) { return shape(x, y) * circle(orb_x, scene.orb_y, 55)(x, y); },
                solid(scene.glow), 0.16);
    canvas.fill(presentation, [&](double x, double y) { return shape(x, y) * circle(orb_x, scene.orb_y, 32)(x, y); },
                vertical(mix(scene.glow, near_white, 0.6), scene.glow, scene.orb_y - 32, scene.orb_y + 32));
    for (int hill = 0; hill < 3; ++hill) {
        const double base = bottom - 150 + hill * 45;
        const double phase = hill * 1.7, wave = 0.012 + hill * 0.004;
        canvas.fill(presentation,
                    [&](double x, double y) {
                        const double ridge = base - 18 * std::sin(x * wave + phase) - 9 * std::sin(x * wave * 2.3 + phase * 2);
                        return shape(x, y) * std::clamp(y - ridge + 0.5, 0.0, 1.0);
                    },
                    vertical(scene.hills[hill], mix(scene.hills[hill], Colour{}, 0.25), base - 30, bottom));
    }
    // A quiet rim so the edge reads against any desktop.
    canvas.fill(presentation, [&](double x, double y) { return shape(x, y) * (1.0 - rounded_box(presentation.left + 2, top + 2, presentation.right - 2, bottom - 2, layout::presentation_radius - 2)(x, y)); },
                solid(Colour{}), 0.35);
    return canvas;
}

void draw_words(Canvas& canvas, const ArtFonts& fonts, std::string_view headline, std::string_view line, std::string_view hint)
{
    const int centre = (presentation.left + presentation.right) / 2;
    fonts.headline.draw_centred(canvas, headline, centre + 2, 162, Colour{}, 0.25);
    fonts.headline.draw_centred(canvas, headline, centre, 160, near_white);
    fonts.text.draw_centred(canvas, line, centre, 192, near_white, 0.9);
    fonts.caption.draw_centred(canvas, hint, centre, presentation.bottom - 24, near_white, 0.75, 2);
}

} // namespace

Coverage presentation_shape()
{
    return rounded_box(presentation, layout::presentation_radius);
}

Canvas draw_intro(const ArtFonts& fonts)
{
    Canvas canvas = draw_scene({Colour::hex(0x3C5A9A), Colour::hex(0xF6B27A),
                                {Colour::hex(0x9A7FA0), Colour::hex(0x6E6A8E), Colour::hex(0x3E4A6A)},
                                Colour::hex(0xFFD77A), presentation.top + 270, false});
    draw_words(canvas, fonts, "vorlunde", "music for the day, the evening and the night", "CLICK TO START");
    return canvas;
}

Canvas draw_outro(const ArtFonts& fonts)
{
    Canvas canvas = draw_scene({Colour::hex(0x070B1C), Colour::hex(0x2A3A6E),
                                {Colour::hex(0x2A3358), Colour::hex(0x1B2240), Colour::hex(0x0E1328)},
                                Colour::hex(0xDCE6FF), presentation.top + 225, true});
    draw_words(canvas, fonts, "do widzenia", "see you soon", "CLICK TO CLOSE");
    return canvas;
}
