// SPDX-License-Identifier: GPL-3.0-or-later
// Composition: a piece of the demo's music as notes on a grid of sixteenth-note steps, ready
// for either renderer (tracker module or PCM). `compose` writes one from a `Style`:
// chords from a progression, a bass line on their roots, a two-bar melody motif repeated and
// fitted to the chords, and drums, arranged in four-bar sections. Deterministic per seed.
#pragma once

#include "instrument.h"

#include <cstdint>
#include <string>
#include <vector>

// One note. `voice` is a monophonic line (a tracker channel): a new note in a voice ends the
// previous one. Pitches are MIDI numbers (60 = middle C).
struct NoteEvent {
    int step = 0;
    int length = 1; // steps
    int pitch = 60;
    double velocity = 1.0; // 0–1
    int voice = 0;
};

// The voices every composition uses, with the instrument each one plays.
struct Voice {
    InstrumentId instrument;
};

struct Composition {
    int tempo = 120;           // quarter notes a minute; a step is 15 / tempo seconds
    int steps = 0;             // length of the piece
    std::vector<Voice> voices;
    std::vector<NoteEvent> notes; // sorted by step

    double step_seconds() const { return 15.0 / tempo; }
    double seconds() const { return steps * step_seconds(); }
};

enum class Scale { major, minor, dorian };
enum class ChordStyle { pad, stabs, arpeggio };
enum class DrumStyle { none, soft, straight, halftime };

struct Style {
    int tempo = 120;
    int key = 60;                        // MIDI pitch of the tonic
    Scale scale = Scale::major;
    std::vector<int> verse = {0, 5, 3, 4};  // scale degrees (0 = tonic), one chord a bar
    std::vector<int> chorus = {3, 4, 0, 5};
    ChordStyle chords = ChordStyle::pad;
    DrumStyle drums = DrumStyle::straight;
    InstrumentId melody = InstrumentId::lead;
    double target_seconds = 30.0;        // the piece is whole four-bar sections near this
    bool ends_open = false;              // true: no closing chord, so the piece loops smoothly
    std::uint64_t seed = 1;
};

Composition compose(const Style& style);
