// SPDX-License-Identifier: GPL-3.0-or-later
#include "composition.h"

#include "random.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int steps_per_bar = 16;
constexpr int bars_per_section = 4;
constexpr int closing_length = steps_per_bar + steps_per_bar / 2; // into the closing bar

// Voice numbers: one tracker channel each.
enum VoiceIndex { kick_voice, snare_voice, hat_voice, bass_voice, chord_voice, melody_voice = chord_voice + 3 };

const std::array<int, 7>& intervals_of(Scale scale)
{
    static constexpr std::array<int, 7> major{0, 2, 4, 5, 7, 9, 11};
    static constexpr std::array<int, 7> minor{0, 2, 3, 5, 7, 8, 10};
    static constexpr std::array<int, 7> dorian{0, 2, 3, 5, 7, 9, 10};
    return scale == Scale::major ? major : scale == Scale::minor ? minor : dorian;
}

struct Rhythm {
    int onset;
    int length;
};

// Two-bar rhythms for melodies; the motif of a section is one of them.
const std::vector<std::vector<Rhythm>>& motif_rhythms()
{
    static const std::vector<std::vector<Rhythm>> rhythms{
        {{0, 4}, {4, 2}, {6, 2}, {8, 6}, {16, 3}, {19, 3}, {22, 2}, {24, 8}},
        {{0, 3}, {3, 3}, {6, 2}, {8, 4}, {12, 4}, {16, 6}, {22, 2}, {24, 4}, {28, 4}},
        {{0, 2}, {2, 2}, {4, 4}, {8, 2}, {10, 2}, {12, 4}, {16, 8}, {24, 8}},
        {{0, 6}, {6, 2}, {8, 8}, {16, 4}, {20, 4}, {24, 8}},
        {{2, 2}, {4, 2}, {6, 2}, {8, 4}, {12, 2}, {14, 2}, {16, 8}, {26, 2}, {28, 4}},
        {{0, 8}, {8, 4}, {12, 4}, {16, 6}, {22, 2}, {24, 8}},
    };
    return rhythms;
}

class Composer {
public:
    explicit Composer(const Style& style) : style_(style), random_(style.seed) {}

    Composition run()
    {
        const double section_seconds = bars_per_section * steps_per_bar * 15.0 / style_.tempo;
        const int sections = std::max(1, static_cast<int>(std::lround(style_.target_seconds / section_seconds)));
        piece_.tempo = style_.tempo;
        // A closing piece gets one more bar in which its last chord dies away.
        piece_.steps = (sections * bars_per_section + (style_.ends_open ? 0 : 1)) * steps_per_bar;
        piece_.voices = {{InstrumentId::kick}, {InstrumentId::snare}, {InstrumentId::hat}, {InstrumentId::bass}};
        const InstrumentId chord_instrument = style_.chords == ChordStyle::pad ? InstrumentId::pad : InstrumentId::pluck;
        for (int i = 0; i < 3; ++i)
            piece_.voices.push_back({chord_instrument});
        piece_.voices.push_back({style_.melody});

        const std::vector<Rhythm> verse_motif = motif(), chorus_motif = motif();
        const std::vector<int> verse_contour = contour(verse_motif.size()), chorus_contour = contour(chorus_motif.size());
        for (int section = 0; section < sections; ++section) {
            const bool chorus = section % 2 == 1;
            const bool first = section == 0, last = section == sections - 1;
            const std::vector<int>& progression = chorus ? style_.chorus : style_.verse;
            for (int bar = 0; bar < bars_per_section; ++bar) {
                const int start = (section * bars_per_section + bar) * steps_per_bar;
                const int degree = progression[static_cast<std::size_t>(bar) % progression.size()];
                const bool closing = last && bar == bars_per_section - 1 && !style_.ends_open;
                chord(start, closing ? 0 : degree, closing);
                bass(start, closing ? 0 : degree, closing);
                drums(start, first, closing, bar == bars_per_section - 1);
            }
            if (!first || sections <= 2) {
                melody(section * bars_per_section * steps_per_bar, chorus ? chorus_motif : verse_motif,
                       chorus ? chorus_contour : verse_contour, progression, last && !style_.ends_open);
            }
        }
        std::stable_sort(piece_.notes.begin(), piece_.notes.end(),
                         [](const NoteEvent& a, const NoteEvent& b) { return a.step < b.step; });
        return piece_;
    }

private:
    // MIDI pitch of scale position `index` (0 = tonic, 7 = the tonic an octave up).
    int pitch_of(int index) const
    {
        const int octave = index >= 0 ? index / 7 : -((-index + 6) / 7);
        return style_.key + 12 * octave + intervals_of(style_.scale)[static_cast<std::size_t>(index - 7 * octave)];
    }

    void add(int step, int length, int pitch, double velocity, int voice)
    {
        piece_.notes.push_back({step, length, pitch, velocity, voice});
    }

    void chord(int start, int degree, bool closing)
    {
        for (int tone = 0; tone < 3; ++tone) {
            int pitch = pitch_of(degree + 2 * tone);
            while (pitch > style_.key + 7) // a close voicing around the tonic
                pitch -= 12;
            const int voice = chord_voice + tone;
            switch (closing ? ChordStyle::pad : style_.chords) {
            case ChordStyle::pad:
                add(start, closing ? closing_length : steps_per_bar, pitch, 0.7, voice);
                break;
            case ChordStyle::stabs:
                for (const int at : {2, 6, 10, 14})
                    add(start + at, 2, pitch + 12, 0.55, voice);
                break;
            case ChordStyle::arpeggio:
                for (int at = tone * 2; at < steps_per_bar; at += 6)
                    add(start + at, 6, pitch + 12, 0.6, voice);
                break;
            }
        }
    }

    void bass(int start, int degree, bool closing)
    {
        const int root = pitch_of(degree) - 24;
        if (closing) {
            add(start, closing_length, root, 0.9, bass_voice);
            return;
        }
        static constexpr std::array<Rhythm, 4> walk{{{0, 3}, {4, 2}, {8, 3}, {12, 2}}};
        const int fifth = pitch_of(degree + 4) - 24;
        int index = 0;
        for (const Rhythm& note : walk) {
            const int pitch = index == 2 && style_.drums != DrumStyle::none ? fifth : root;
            add(start + note.onset, note.length, pitch, index == 0 ? 0.95 : 0.8, bass_voice);
            ++index;
        }
    }

    void drums(int start, bool first, bool closing, bool section_end)
    {
        if (style_.drums == DrumStyle::none)
            return;
        if (closing) {
            add(start, 1, 36, 0.9, kick_voice);
            return;
        }
        const bool soft = style_.drums == DrumStyle::soft || first;
        for (int at = 0; at < steps_per_bar; at += 2)
            add(start + at, 1, 60, at % 4 == 0 ? 0.55 : 0.35, hat_voice);
        if (soft && style_.drums != DrumStyle::halftime) {
            add(start, 1, 60, 0.6, kick_voice);
            return;
        }
        if (style_.drums == DrumStyle::halftime) {
            add(start, 1, 60, 0.9, kick_voice);
            add(start + 10, 1, 60, 0.6, kick_voice);
            add(start + 8, 1, 60, 0.8, snare_voice);
            return;
        }
        for (const int at : {0, 8})
            add(start + at, 1, 60, 0.9, kick_voice);
        if (random_.chance(0.4))
            add(start + 11, 1, 60, 0.6, kick_voice);
        add(start + 4, 1, 60, 0.8, snare_voice);
        add(start + 12, 1, 60, 0.8, snare_voice);
        if (section_end) { // a short fill into the next section
            for (const int at : {13, 14, 15})
                add(start + at, 1, 60, 0.4 + 0.15 * (at - 13), snare_voice);
        }
    }

    std::vector<Rhythm> motif() { return motif_rhythms()[static_cast<std::size_t>(random_.below(static_cast<int>(motif_rhythms().size())))]; }

    // Scale steps between the motif's notes: mostly small moves, a leap now and then.
    std::vector<int> contour(std::size_t notes)
    {
        std::vector<int> moves;
        int position = 0;
        for (std::size_t i = 0; i < notes; ++i) {
            int move = random_.below(5) - 2;
            if (random_.chance(0.15))
                move = random_.chance(0.5) ? 4 : -3;
            if (std::abs(position + move) > 5) // stay within an octave or so of the start
                move = -move;
            position += move;
            moves.push_back(position);
        }
        return moves;
    }

    // Plays the two-bar motif twice over the section, each note moved to a chord tone on
    // strong beats and kept in the scale elsewhere.
    void melody(int start, const std::vector<Rhythm>& rhythm, const std::vector<int>& contour,
                const std::vector<int>& progression, bool closing)
    {
        // The melody centres on the first tonic-chord tone from G above middle C up.
        int base = 0;
        while (pitch_of(base) < 67 || nearest_chord_tone(base, 0) != base)
            ++base;
        for (int half = 0; half < 2; ++half) {
            for (std::size_t i = 0; i < rhythm.size(); ++i) {
                const int step = half * 2 * steps_per_bar + rhythm[i].onset;
                const int bar = step / steps_per_bar;
                const bool closing_bar = closing && bar == bars_per_section - 1;
                const int degree = closing_bar ? 0 : progression[static_cast<std::size_t>(bar) % progression.size()];
                int position = base + contour[i];
                if (step % 8 == 0)
                    position = nearest_chord_tone(position, degree);
                const bool final_note = closing && half == 1 && i + 1 == rhythm.size();
                if (final_note) // the tonic nearest to where the line is
                    position = (position + 3) / 7 * 7;
                const double accent = step % 4 == 0 ? 0.85 : 0.7;
                add(start + step, rhythm[i].length, pitch_of(position), accent, melody_voice);
            }
        }
    }

    static int nearest_chord_tone(int position, int degree)
    {
        for (int distance = 0; distance < 4; ++distance) {
            for (const int candidate : {position - distance, position + distance}) {
                const int relative = ((candidate - degree) % 7 + 7) % 7;
                if (relative == 0 || relative == 2 || relative == 4)
                    return candidate;
            }
        }
        return position;
    }

    const Style& style_;
    Random random_;
    Composition piece_;
};

} // namespace

Composition compose(const Style& style)
{
    return Composer(style).run();
}
