// SPDX-License-Identifier: GPL-3.0-or-later
#include "pcm_render.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double output_rate = 44100.0;

// Envelope level `t` seconds after the note started, the note being released at `off`.
double envelope_level(const Envelope& envelope, double t, double off)
{
    const auto held = [&](double at) {
        if (at < envelope.attack_s)
            return at / envelope.attack_s;
        if (at < envelope.attack_s + envelope.decay_s)
            return 1.0 - (1.0 - envelope.sustain) * (at - envelope.attack_s) / envelope.decay_s;
        return envelope.sustain;
    };
    if (t < off)
        return held(t);
    return held(off) * std::max(0.0, 1.0 - (t - off) / envelope.release_s);
}

// Mixes one note into `out` from `start` for at most `frames` frames.
void play(const Instrument& instrument, const NoteEvent& note, double held_seconds, std::size_t start,
          std::size_t frames, std::vector<float>& out)
{
    const double step = instrument.rate / output_rate * std::pow(2.0, (note.pitch - 60) / 12.0);
    const double angle = (instrument.pan + 1.0) * std::numbers::pi / 4.0;
    const double left = std::cos(angle) * instrument.gain * note.velocity;
    const double right = std::sin(angle) * instrument.gain * note.velocity;
    const double size = static_cast<double>(instrument.frames.size());
    double position = 0.0;
    for (std::size_t i = 0; i < frames && 2 * (start + i) + 1 < out.size(); ++i) {
        if (instrument.loop_length > 0 && position >= size)
            position -= static_cast<double>(instrument.loop_length);
        if (position >= size - 1.0)
            break;
        const auto at = static_cast<std::size_t>(position);
        const double fraction = position - static_cast<double>(at);
        double value = instrument.frames[at] * (1.0 - fraction) + instrument.frames[at + 1] * fraction;
        if (!instrument.one_shot) {
            const double level = envelope_level(instrument.envelope, static_cast<double>(i) / output_rate, held_seconds);
            if (level <= 0.0 && static_cast<double>(i) / output_rate > held_seconds)
                break;
            value *= level;
        }
        out[2 * (start + i)] += static_cast<float>(value * left);
        out[2 * (start + i) + 1] += static_cast<float>(value * right);
        position += step;
    }
}

// A dotted-eighth echo, crossed between the sides.
void add_echo(std::vector<float>& pcm, double step_seconds)
{
    const auto delay = static_cast<std::size_t>(3.0 * step_seconds * output_rate);
    for (std::size_t frame = delay; 2 * frame + 1 < pcm.size(); ++frame) {
        pcm[2 * frame] += 0.28f * pcm[2 * (frame - delay) + 1];
        pcm[2 * frame + 1] += 0.28f * pcm[2 * (frame - delay)];
    }
}

} // namespace

std::vector<float> render_pcm(const Composition& piece, std::span<const Instrument> bank, double tail_seconds, float peak)
{
    const auto frames = static_cast<std::size_t>((piece.seconds() + tail_seconds) * output_rate);
    std::vector<float> pcm(2 * frames);
    const auto frame_of = [&](int step) { return static_cast<std::size_t>(step * piece.step_seconds() * output_rate); };
    for (std::size_t i = 0; i < piece.notes.size(); ++i) {
        const NoteEvent& note = piece.notes[i];
        const Instrument& instrument = bank[static_cast<std::size_t>(piece.voices[static_cast<std::size_t>(note.voice)].instrument)];
        // The note sounds until the voice's next note starts (the tracker cuts it there).
        std::size_t until = frames;
        for (std::size_t j = i + 1; j < piece.notes.size(); ++j) {
            if (piece.notes[j].voice == note.voice) {
                until = frame_of(piece.notes[j].step);
                break;
            }
        }
        const std::size_t start = frame_of(note.step);
        play(instrument, note, note.length * piece.step_seconds(), start, until - start, pcm);
    }
    add_echo(pcm, piece.step_seconds());
    float largest = 0.0f;
    for (const float value : pcm)
        largest = std::max(largest, std::abs(value));
    if (largest > 0.0f) {
        for (float& value : pcm)
            value *= peak / largest;
    }
    return pcm;
}
