// SPDX-License-Identifier: GPL-3.0-or-later
#include "module_render.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int rows_per_pattern = 64;
constexpr double c4_rate = 8363.0; // the rate at which XM plays a sample for C-4
// Modules mix quieter than the streams, which are scaled to their peak; this evens them out.
constexpr double module_boost = 1.4;

// The volume column for a note: it replaces the sample's own volume, so it carries both.
std::uint8_t volume_of(double velocity, double gain)
{
    return static_cast<std::uint8_t>(0x10 + std::clamp(std::lround(velocity * gain * module_boost * 64.0), 0L, 64L));
}

// The XM note for a MIDI pitch: C-4 (49) is middle C (60).
std::uint8_t note_of(int pitch)
{
    return static_cast<std::uint8_t>(std::clamp(pitch - 11, 1, 96));
}

XmInstrument instrument_of(const Instrument& source, double tick_seconds)
{
    XmInstrument out;
    out.name = source.name;
    out.sample.frames.reserve(source.frames.size());
    for (const float value : source.frames)
        out.sample.frames.push_back(static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f)));
    out.sample.loop_start = static_cast<std::uint32_t>(source.loop_start);
    out.sample.loop_length = static_cast<std::uint32_t>(source.loop_length);
    out.sample.panning = static_cast<std::uint8_t>(std::lround((source.pan + 1.0) * 127.5));
    const double semitones = 12.0 * std::log2(source.rate / c4_rate);
    const long relative = std::lround(semitones);
    out.sample.relative_note = static_cast<std::int8_t>(relative);
    out.sample.finetune = static_cast<std::int8_t>(std::lround((semitones - static_cast<double>(relative)) * 128.0));
    if (source.one_shot)
        return out;
    const auto ticks = [tick_seconds](double seconds) { return static_cast<std::uint16_t>(std::max(1L, std::lround(seconds / tick_seconds))); };
    const Envelope& envelope = source.envelope;
    const std::uint16_t attack = ticks(envelope.attack_s);
    const auto sustain = static_cast<std::uint16_t>(std::lround(envelope.sustain * 64.0));
    out.envelope = {{0, 0}, {attack, 64}, {static_cast<std::uint16_t>(attack + ticks(envelope.decay_s)), sustain}};
    out.sustain_point = 2;
    // The player lowers a 65536 fade volume by twice the fadeout value each tick.
    out.fadeout = static_cast<std::uint16_t>(std::clamp(32768L / ticks(envelope.release_s), 1L, 4095L));
    return out;
}

} // namespace

XmModule module_of(const Composition& piece, std::span<const Instrument> bank, const std::string& name)
{
    XmModule module;
    module.name = name;
    module.channels = static_cast<int>(piece.voices.size());
    module.bpm = piece.tempo;
    const double tick_seconds = 2.5 / piece.tempo;
    for (const Instrument& instrument : bank)
        module.instruments.push_back(instrument_of(instrument, tick_seconds));

    const int patterns = (piece.steps + rows_per_pattern - 1) / rows_per_pattern;
    const auto channels = static_cast<std::size_t>(module.channels);
    module.patterns.resize(static_cast<std::size_t>(patterns));
    for (int i = 0; i < patterns; ++i) { // the last pattern ends with the piece
        XmPattern& pattern = module.patterns[static_cast<std::size_t>(i)];
        pattern.rows = std::min(rows_per_pattern, piece.steps - i * rows_per_pattern);
        pattern.cells.resize(static_cast<std::size_t>(pattern.rows) * channels);
    }
    const auto cell_at = [&](int step, int voice) -> XmCell& {
        XmPattern& pattern = module.patterns[static_cast<std::size_t>(step / rows_per_pattern)];
        return pattern.cells[static_cast<std::size_t>(step % rows_per_pattern) * channels + static_cast<std::size_t>(voice)];
    };
    // Key offs first, so that a note starting where another ends replaces the key off.
    for (const NoteEvent& note : piece.notes) {
        const InstrumentId id = piece.voices[static_cast<std::size_t>(note.voice)].instrument;
        const int end = note.step + note.length;
        if (!bank[static_cast<std::size_t>(id)].one_shot && end < piece.steps)
            cell_at(end, note.voice) = {xm_key_off, 0, 0, 0, 0};
    }
    for (const NoteEvent& note : piece.notes) {
        const InstrumentId id = piece.voices[static_cast<std::size_t>(note.voice)].instrument;
        cell_at(note.step, note.voice) = {note_of(note.pitch), static_cast<std::uint8_t>(static_cast<int>(id) + 1),
                                          volume_of(note.velocity, bank[static_cast<std::size_t>(id)].gain), 0, 0};
    }
    for (int i = 0; i < patterns; ++i)
        module.orders.push_back(static_cast<std::uint8_t>(i));
    return module;
}
