// SPDX-License-Identifier: GPL-3.0-or-later
#include "demo_tracks.h"

#include "media/sndfile_encoder.h"
#include "media/xm_writer.h"
#include "module_render.h"
#include "pcm_render.h"

#include <fstream>
#include <stdexcept>

namespace {

using enum InstrumentId;

constexpr double stream_tail_seconds = 1.5;

Style style(int tempo, int key, Scale scale, std::vector<int> verse, std::vector<int> chorus, ChordStyle chords,
            DrumStyle drums, InstrumentId melody, std::uint64_t seed)
{
    Style out;
    out.tempo = tempo;
    out.key = key;
    out.scale = scale;
    out.verse = std::move(verse);
    out.chorus = std::move(chorus);
    out.chords = chords;
    out.drums = drums;
    out.melody = melody;
    out.seed = seed;
    return out;
}

void write_bytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("can't write " + path.string());
}

} // namespace

std::vector<DemoTrack> playlist_tracks()
{
    using enum Scale;
    using enum ChordStyle;
    using enum DrumStyle;
    using enum TrackFormat;
    std::vector<DemoTrack> tracks{
        {"Morning Walk", "music/01-morning-walk.xm", module, style(118, 60, major, {0, 5, 3, 4}, {3, 4, 0, 5}, pad, straight, lead, 101)},
        {"Paper Boats", "music/02-paper-boats.ogg", ogg, style(104, 62, major, {0, 3, 5, 4}, {3, 0, 4, 4}, arpeggio, soft, bell, 102)},
        {"Sunny Stairs", "music/03-sunny-stairs.xm", module, style(126, 65, major, {0, 4, 5, 3}, {3, 4, 5, 4}, stabs, straight, lead, 103)},
        {"Tram Line Nine", "music/04-tram-line-nine.mp3", mp3, style(112, 57, major, {0, 3, 4, 3}, {5, 3, 0, 4}, stabs, straight, pluck, 104)},
        {"Garden Loop", "music/05-garden-loop.xm", module, style(100, 64, major, {0, 3, 0, 4}, {5, 3, 1, 4}, arpeggio, soft, lead, 105)},
        {"Lemonade", "music/06-lemonade.ogg", ogg, style(122, 67, major, {0, 5, 1, 4}, {3, 4, 2, 5}, pad, straight, pluck, 106)},
        {"High Kites", "music/07-high-kites.xm", module, style(130, 62, major, {0, 4, 5, 3}, {0, 4, 3, 4}, pad, straight, bell, 107)},
        {"Noon Bells", "music/08-noon-bells.mp3", mp3, style(96, 60, major, {0, 5, 3, 4}, {1, 4, 0, 0}, arpeggio, soft, bell, 108)},
        {"Bicycle Bell", "music/09-bicycle-bell.xm", module, style(124, 59, major, {0, 3, 4, 0}, {5, 1, 4, 4}, stabs, straight, pluck, 109)},
        {"Amber Windows", "music/10-amber-windows.xm", module, style(92, 62, dorian, {0, 3, 0, 3}, {6, 3, 0, 4}, pad, halftime, lead, 110)},
        {"Slow River", "music/11-slow-river.ogg", ogg, style(84, 57, dorian, {0, 6, 3, 0}, {3, 4, 0, 0}, arpeggio, soft, bell, 111)},
        {"Streetlights", "music/12-streetlights.xm", module, style(98, 64, dorian, {0, 3, 6, 3}, {5, 6, 0, 3}, stabs, halftime, pluck, 112)},
        {"Last Tram Home", "music/13-last-tram-home.mp3", mp3, style(90, 60, dorian, {0, 3, 4, 0}, {6, 3, 4, 4}, pad, soft, lead, 113)},
        {"Violet Hour", "music/14-violet-hour.xm", module, style(88, 65, dorian, {0, 6, 3, 4}, {3, 0, 6, 0}, arpeggio, halftime, bell, 114)},
        {"Owls", "music/15-owls.ogg", ogg, style(72, 57, minor, {0, 5, 2, 6}, {3, 0, 4, 0}, pad, none, bell, 115)},
        {"Moon Over Roofs", "music/16-moon-over-roofs.xm", module, style(80, 62, minor, {0, 3, 4, 0}, {5, 6, 0, 4}, arpeggio, halftime, lead, 116)},
        {"Quiet Stars", "music/17-quiet-stars.mp3", mp3, style(76, 60, minor, {0, 5, 3, 6}, {3, 4, 0, 0}, pad, soft, pluck, 117)},
    };
    tracks[4].style.ends_open = true; // the looping module: no closing chord
    return tracks;
}

std::vector<DemoTrack> named_tracks()
{
    using enum Scale;
    using enum ChordStyle;
    using enum DrumStyle;
    using enum TrackFormat;
    std::vector<DemoTrack> tracks{
        {"jingle", "jingle.xm", module, style(132, 67, major, {0, 3, 4, 0}, {0}, arpeggio, soft, bell, 201)},
    };
    for (DemoTrack& track : tracks)
        track.style.target_seconds = 6.0;
    return tracks;
}

double write_track(const DemoTrack& track, std::span<const Instrument> bank, const std::filesystem::path& dir)
{
    const Composition piece = compose(track.style);
    const std::filesystem::path path = dir / track.file;
    if (track.format == TrackFormat::module) {
        write_bytes(path, write_xm(module_of(piece, bank, track.title)));
    } else {
        const std::vector<float> pcm = render_pcm(piece, bank, stream_tail_seconds, 0.8f);
        write_bytes(path, encode_pcm(pcm, track.format == TrackFormat::ogg ? EncodedFormat::ogg_vorbis : EncodedFormat::mp3));
    }
    return piece.seconds();
}
