// SPDX-License-Identifier: GPL-3.0-or-later
// demo-generator: writes every generated part of the demo skin.
//
//   demo-generator ASSETS SKIN TEXTS FONTS [PREVIEW]
//
// ASSETS receives the archive's files (pictures, masks, knobs, documents, the jingle) and
// skin.toml, the manifest for `tarnel-skin build`; SKIN (the folder the player runs in)
// receives the playlist's music under music/; TEXTS holds the hand-written documents and
// FONTS the DejaVu fonts. With PREVIEW, every picture is also written there as PNG.
#include "demo_tracks.h"
#include "image_files.h"
#include "instrument.h"
#include "manifest_writer.h"
#include "panel_art.h"
#include "presentation_art.h"
#include "preview.h"
#include "text_painter.h"

#include "media/png_writer.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct Paths {
    fs::path assets, skin, texts, fonts;
    std::optional<fs::path> preview;
};

// The archive name's file part ("Data\x.jpg" → "x.jpg").
std::string file_part(const std::string& name)
{
    return name.substr(name.find('\\') + 1);
}

class Generator {
public:
    explicit Generator(Paths paths) : paths_(std::move(paths)) {}

    void run()
    {
        fs::create_directories(paths_.assets);
        fs::create_directories(paths_.skin);
        write_art();
        write_music();
        write_documents();
        for (const char* font : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"})
            files_.push_back({std::string("Data\\") + font, paths_.fonts / font});
        std::ofstream manifest(paths_.assets / "skin.toml");
        manifest << demo_manifest({playlist_, named_, files_});
        if (!manifest)
            throw std::runtime_error("can't write " + (paths_.assets / "skin.toml").string());
    }

private:
    void store(const std::string& name, const Canvas& canvas)
    {
        const fs::path path = paths_.assets / file_part(name);
        if (name.ends_with(".bmp"))
            write_bmp(path, canvas);
        else
            write_jpeg(path, canvas, 92);
        files_.push_back({name, path});
        if (paths_.preview)
            write_png(*paths_.preview / (path.stem().string() + ".png"), canvas.pixels(), canvas.width(), canvas.height());
    }

    void write_art()
    {
        const TtfSession session;
        const TextPainter title(session, paths_.fonts / "DejaVuSans-Bold.ttf", 22);
        const TextPainter caption(session, paths_.fonts / "DejaVuSans-Bold.ttf", 9);
        const TextPainter label(session, paths_.fonts / "DejaVuSans.ttf", 10);
        const TextPainter headline(session, paths_.fonts / "DejaVuSans-Bold.ttf", 46);
        const TextPainter text(session, paths_.fonts / "DejaVuSans.ttf", 14);
        const ArtFonts fonts{title, caption, label, headline, text};

        const TextPainter list_font(session, paths_.fonts / "DejaVuSans.ttf", 13);
        const TextPainter status_font(session, paths_.fonts / "DejaVuSans-Bold.ttf", 14);
        for (const Look& look : panel_looks()) {
            const LookFiles names = look_files(look.page);
            const Canvas background = draw_panel(look, ArtState::normal, fonts), pressed = draw_panel(look, ArtState::pressed, fonts),
                         hover = draw_panel(look, ArtState::hover, fonts), seek_knob = draw_seek_knob(look),
                         scroll_knob = draw_scroll_knob(look);
            store(names.background, background);
            store(names.pressed, pressed);
            store(names.hover, hover);
            store(names.seek_knob, seek_knob);
            store(names.scroll_knob, scroll_knob);
            if (paths_.preview) {
                std::vector<std::string> titles, document_titles;
                for (const DemoTrack& track : playlist_tracks())
                    titles.push_back(track.title);
                for (const Document& document : documents())
                    document_titles.push_back(document.title);
                const Canvas page = preview_page({background, pressed, hover, seek_knob, scroll_knob, titles, document_titles}, list_font, status_font);
                write_png(*paths_.preview / (std::string(look.page) + "_in_use.png"), page.pixels(), page.width(), page.height());
            }
        }
        store("Data\\intro.jpg", draw_intro(fonts));
        store("Data\\outro.jpg", draw_outro(fonts));
        for (const auto& [name, shape] : {std::pair{"Data\\panel.rgn", panel_shape()}, {"Data\\intro.rgn", presentation_shape()},
                                          {"Data\\outro.rgn", presentation_shape()}}) {
            const fs::path path = paths_.assets / file_part(name);
            write_mask(path, shape);
            files_.push_back({name, path});
        }
    }

    void write_music()
    {
        const std::vector<Instrument> bank = instrument_bank();
        playlist_ = playlist_tracks();
        named_ = named_tracks();
        for (const DemoTrack& track : playlist_)
            lengths_.push_back(write_track(track, bank, paths_.skin));
        for (const DemoTrack& track : named_) {
            write_track(track, bank, paths_.assets);
            files_.push_back({"Data\\" + track.file, paths_.assets / track.file});
        }
    }

    // about.txt and keys.txt are hand-written; the credits list the generated tracks.
    void write_documents()
    {
        for (const char* document : {"about.txt", "keys.txt"})
            files_.push_back({std::string("Data\\") + document, paths_.texts / document});
        std::ostringstream credits;
        credits << "All music in this skin was composed and played by the vorlunde demo generator: "
                   "chords, bass lines, melodies and drums made by rule, on eight instruments "
                   "synthesised in code.\n\n";
        for (std::size_t i = 0; i < playlist_.size(); ++i) {
            const DemoTrack& track = playlist_[i];
            const char* format = track.format == TrackFormat::module ? "XM" : track.format == TrackFormat::ogg ? "Ogg" : "MP3";
            credits << i + 1 << ". " << track.title << "\n"
                    << format << ", " << track.style.tempo << " bpm, " << static_cast<int>(lengths_[i] + 0.5) << " s\n";
        }
        credits << "\nThe fonts are DejaVu Sans, free fonts from the Debian package fonts-dejavu-core.\n";
        const fs::path path = paths_.assets / "credits.txt";
        std::ofstream(path) << credits.str();
        files_.push_back({"Data\\credits.txt", path});
    }

    Paths paths_;
    std::vector<ArchiveSource> files_;
    std::vector<DemoTrack> playlist_, named_;
    std::vector<double> lengths_;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5 && argc != 6) {
        std::fputs("usage: demo-generator ASSETS SKIN TEXTS FONTS [PREVIEW]\n", stderr);
        return 2;
    }
    try {
        // Absolute, because the manifest names files relative to its own folder.
        Paths paths{fs::absolute(argv[1]), fs::absolute(argv[2]), fs::absolute(argv[3]), fs::absolute(argv[4]), std::nullopt};
        if (argc == 6) {
            paths.preview = argv[5];
            fs::create_directories(*paths.preview);
        }
        Generator(std::move(paths)).run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "demo-generator: %s\n", error.what());
        return 1;
    }
    return 0;
}
