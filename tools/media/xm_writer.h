// SPDX-License-Identifier: GPL-3.0-or-later
// XM writer: turns a tracker module described in code into FastTracker 2 (.xm) bytes, for
// tests, benchmarks and the demo skin's music. `XmModule` is the general form (instruments
// with 16-bit samples and volume envelopes, several patterns, an order list); `XmSong` is a
// shorthand for tests that need a module of a known length and little else.
//
// Timing: a tick lasts 2.5 / bpm seconds and a row `speed` ticks, so at speed 6 and 125 BPM
// a row is 5,292 frames at 44.1 kHz. Plain value types and functions; no shared state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One sample of an instrument, 16-bit signed mono. Played at note C-4 (48) it runs at
// 8,363 × 2^(relative_note / 12) frames a second.
struct XmSample {
    std::vector<std::int16_t> frames;
    std::uint32_t loop_start = 0;
    std::uint32_t loop_length = 0; // 0: no loop, the sample plays once
    std::uint8_t volume = 64;      // 0–64
    std::uint8_t panning = 128;    // 0 left, 255 right
    std::int8_t relative_note = 0;
    std::int8_t finetune = 0;      // 1/128 semitone
};

// A point of a volume envelope: `tick` from the note's start, `volume` 0–64.
struct XmEnvelopePoint {
    std::uint16_t tick = 0;
    std::uint16_t volume = 64;
};

struct XmInstrument {
    std::string name;                      // at most 22 bytes are kept
    XmSample sample;
    std::vector<XmEnvelopePoint> envelope; // up to 12 points; empty: no envelope
    int sustain_point = -1;                // envelope point held until key off; -1: none
    std::uint16_t fadeout = 0;             // volume fade after key off, per tick (0–4095)
};

// One cell of a pattern. Notes are 1–96 (C-0 = 1, so C-4 = 49), 97 is key off, 0 is none;
// instruments count from 1 (0 = none); volume is the volume column byte (0x10–0x50 set
// the volume 0–64, 0 = none); effect and parameter as FastTracker 2 numbers them.
struct XmCell {
    std::uint8_t note = 0;
    std::uint8_t instrument = 0;
    std::uint8_t volume = 0;
    std::uint8_t effect = 0;
    std::uint8_t parameter = 0;
};

inline constexpr std::uint8_t xm_key_off = 97;

struct XmPattern {
    int rows = 64;
    std::vector<XmCell> cells; // rows × channels, row by row; empty: a silent pattern
};

struct XmModule {
    std::string name = "vorlunde";     // at most 20 bytes are kept
    int channels = 4;                  // 1–32
    int speed = 6;                     // ticks per row
    int bpm = 125;
    std::vector<std::uint8_t> orders;  // pattern index per position, at least one
    int restart_position = 0;
    std::vector<XmPattern> patterns;
    std::vector<XmInstrument> instruments;
};

// The module's bytes. Throws std::invalid_argument for a module the format cannot hold
// (no orders, an order naming a missing pattern, a pattern whose cells do not fill its rows).
std::vector<std::uint8_t> write_xm(const XmModule& module);

// A test song: one looped sine instrument, one pattern used by every order, a note on every
// channel every `note_every_rows` rows.
struct XmSong {
    int orders = 3;
    int rows = 16;
    int channels = 1;
    int note_every_rows = 16;
    int speed = 6; // ticks per row
    int bpm = 125;

    // Frames the song lasts at 44.1 kHz (2.5 / bpm seconds a tick).
    std::int64_t frames() const { return std::int64_t{orders} * rows * speed * 44100 * 5 / (2 * bpm); }
};

std::vector<std::uint8_t> make_xm(const XmSong& song);
