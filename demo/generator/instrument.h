// SPDX-License-Identifier: GPL-3.0-or-later
// Instrument: one sound of the demo's music, shared by the tracker-module writer and the PCM
// renderer so both play the same instruments. A mono sample at `rate` frames a second sounds
// middle C (MIDI 60) when played at that rate; a looped sample repeats
// [loop_start, loop_start + loop_length) while the note is held. The envelope shapes held
// notes (times in seconds); a one-shot instrument plays its sample to the end.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct Envelope {
    double attack_s = 0.005;
    double decay_s = 0.2;
    double sustain = 0.7;   // level 0–1 held after the decay
    double release_s = 0.2; // after the note ends
};

struct Instrument {
    std::string name;
    std::vector<float> frames;    // mono, −1 to 1
    double rate = 44100.0;        // frames a second that give middle C
    std::size_t loop_start = 0;
    std::size_t loop_length = 0;  // 0: a one-shot sample
    bool one_shot = false;        // true: ignores note ends and the envelope
    Envelope envelope;
    double gain = 0.8;            // 0–1
    double pan = 0.0;             // −1 left to 1 right
};

// The instruments the demo's songs are written for, by their index in `instrument_bank()`.
enum class InstrumentId { lead, pad, bass, pluck, bell, kick, snare, hat, count };

// Every instrument, indexed by InstrumentId. Pure: the same samples on every call.
std::vector<Instrument> instrument_bank();
