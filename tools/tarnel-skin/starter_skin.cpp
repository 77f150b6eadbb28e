// SPDX-License-Identifier: GPL-3.0-or-later
#include "starter_skin.h"

#include "demo_tracks.h"
#include "image_files.h"
#include "instrument.h"
#include "look.h"
#include "panel_art.h"
#include "presentation_art.h"
#include "text_painter.h"

#include "media/png_writer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

constexpr const char* kAbout =
    "This is your new skin, made by tarnel-skin new.\n\n"
    "Paint over the pictures in the art folder with any editor that keeps transparency: "
    "where the panel picture is transparent, the window is cut away.\n\n"
    "Run tarnel-skin watch skin.toml -o . --run and every save shows at once.\n";

// The picture with the shape's coverage as its alpha; colours pressed below white, because
// layered windows show pure white as a hole in JPEG backgrounds.
std::vector<std::uint32_t> with_alpha(const Canvas& canvas, const Coverage& shape)
{
    std::vector<std::uint32_t> pixels = below_white(canvas.pixels());
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const double coverage = std::clamp(shape(x + 0.5, y + 0.5), 0.0, 1.0);
            std::uint32_t& pixel = pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(canvas.width()) + static_cast<std::size_t>(x)];
            pixel = (pixel & 0xFFFFFFu) | static_cast<std::uint32_t>(std::lround(coverage * 255.0)) << 24;
        }
    return pixels;
}

class StarterWriter {
public:
    StarterWriter(fs::path dir, fs::path fonts, std::ostream& out) : dir_(std::move(dir)), fonts_(std::move(fonts)), out_(out) {}

    void run()
    {
        std::error_code error;
        if (fs::exists(dir_, error) && !fs::is_empty(dir_, error))
            throw std::runtime_error(dir_.string() + " already holds files");
        write_art();
        for (const char* font : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"}) {
            fs::create_directories(dir_ / "fonts");
            fs::copy_file(fonts_ / font, dir_ / "fonts" / font, error);
            if (error)
                throw std::runtime_error("can't copy font " + (fonts_ / font).string());
            wrote("fonts/" + std::string(font));
        }
        write_file(dir_ / "art" / "about.txt", std::span(reinterpret_cast<const std::uint8_t*>(kAbout), std::strlen(kAbout)));
        wrote("art/about.txt");

        const std::vector<Instrument> bank = instrument_bank();
        std::vector<std::pair<std::string, std::string>> playlist;
        const std::vector<DemoTrack> tracks = playlist_tracks();
        for (const DemoTrack& track : std::span(tracks).first(2)) {
            write_track(track, bank, dir_);
            playlist.emplace_back(track.title, track.file);
            wrote(track.file);
        }
        const std::string manifest = starter_manifest(playlist);
        write_file(dir_ / "skin.toml", std::span(reinterpret_cast<const std::uint8_t*>(manifest.data()), manifest.size()));
        wrote("skin.toml");
    }

private:
    void wrote(const std::string& name) { out_ << "wrote " << (dir_ / name).string() << '\n'; }

    void png(const std::string& name, const Canvas& canvas, const Coverage& shape)
    {
        write_file(dir_ / "art" / name, encode_png(with_alpha(canvas, shape), canvas.width(), canvas.height(), PngAlpha::keep));
        wrote("art/" + name);
    }

    void write_art()
    {
        const TtfSession session;
        const TextPainter title(session, fonts_ / "DejaVuSans-Bold.ttf", 22);
        const TextPainter caption(session, fonts_ / "DejaVuSans-Bold.ttf", 9);
        const TextPainter label(session, fonts_ / "DejaVuSans.ttf", 10);
        const TextPainter headline(session, fonts_ / "DejaVuSans-Bold.ttf", 46);
        const TextPainter text(session, fonts_ / "DejaVuSans.ttf", 14);
        const ArtFonts fonts{title, caption, label, headline, text};
        const Look& look = panel_looks()[0];
        const Coverage opaque = [](double, double) { return 1.0; };
        png("panel.png", draw_panel(look, ArtState::normal, fonts), panel_shape());
        png("panel_pressed.png", draw_panel(look, ArtState::pressed, fonts), opaque);
        png("panel_hover.png", draw_panel(look, ArtState::hover, fonts), opaque);
        png("knob_seek.png", draw_seek_knob(look), opaque);
        png("knob_scroll.png", draw_scroll_knob(look), opaque);
        png("intro.png", draw_intro(fonts), presentation_shape());
        png("outro.png", draw_outro(fonts), presentation_shape());
    }

    fs::path dir_, fonts_;
    std::ostream& out_;
};

} // namespace

void write_starter_skin(const fs::path& dir, const fs::path& fonts_dir, std::ostream& out)
{
    StarterWriter(dir, fonts_dir, out).run();
}
