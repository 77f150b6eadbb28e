// SPDX-License-Identifier: GPL-3.0-or-later
#include "instrument.h"

#include "random.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double middle_c_hz = 261.6255653;
constexpr double sample_rate = 44100.0;
constexpr std::size_t cycle_frames = 256;
constexpr double two_pi = 2.0 * std::numbers::pi;

void normalise(std::vector<float>& frames, float peak)
{
    float largest = 0.0f;
    for (const float value : frames)
        largest = std::max(largest, std::abs(value));
    if (largest > 0.0f) {
        for (float& value : frames)
            value *= peak / largest;
    }
}

// One cycle built from harmonics: amplitude of harmonic n (from 1) is `amplitudes[n - 1]`.
Instrument looped_wave(std::string name, std::initializer_list<double> amplitudes, Envelope envelope, double gain, double pan)
{
    Instrument instrument;
    instrument.name = std::move(name);
    instrument.rate = middle_c_hz * cycle_frames;
    instrument.loop_length = cycle_frames;
    instrument.envelope = envelope;
    instrument.gain = gain;
    instrument.pan = pan;
    instrument.frames.resize(cycle_frames);
    for (std::size_t i = 0; i < cycle_frames; ++i) {
        double value = 0.0;
        int harmonic = 1;
        for (const double amplitude : amplitudes)
            value += amplitude * std::sin(two_pi * harmonic++ * static_cast<double>(i) / cycle_frames);
        instrument.frames[i] = static_cast<float>(value);
    }
    normalise(instrument.frames, 0.9f);
    return instrument;
}

Instrument one_shot(std::string name, std::vector<float> frames, double gain, double pan)
{
    normalise(frames, 0.95f);
    Instrument instrument;
    instrument.name = std::move(name);
    instrument.frames = std::move(frames);
    instrument.one_shot = true;
    instrument.gain = gain;
    instrument.pan = pan;
    return instrument;
}

std::vector<float> frames_for(double seconds)
{
    return std::vector<float>(static_cast<std::size_t>(seconds * sample_rate));
}

// A plucked string: Karplus–Strong at middle C, softened by a two-point average.
std::vector<float> pluck()
{
    Random random(7);
    const auto period = static_cast<std::size_t>(std::lround(sample_rate / middle_c_hz));
    std::vector<float> line(period);
    for (float& value : line)
        value = static_cast<float>(random.unit() * 2.0 - 1.0);
    std::vector<float> frames = frames_for(1.6);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const std::size_t at = i % period;
        frames[i] = line[at];
        line[at] = 0.497f * (line[at] + line[(at + 1) % period]);
    }
    return frames;
}

// A soft bell: two-operator FM with a decaying index.
std::vector<float> bell()
{
    std::vector<float> frames = frames_for(2.4);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const double t = static_cast<double>(i) / sample_rate;
        const double index = 2.2 * std::exp(-t * 3.0);
        const double modulator = std::sin(two_pi * middle_c_hz * 3.5 * t);
        const double carrier = std::sin(two_pi * middle_c_hz * t + index * modulator);
        frames[i] = static_cast<float>(carrier * std::exp(-t * 1.6) * std::min(1.0, t * 400.0));
    }
    return frames;
}

std::vector<float> kick()
{
    std::vector<float> frames = frames_for(0.4);
    double phase = 0.0;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const double t = static_cast<double>(i) / sample_rate;
        phase += two_pi * (45.0 + 90.0 * std::exp(-t * 30.0)) / sample_rate;
        frames[i] = static_cast<float>(std::sin(phase) * std::exp(-t * 7.0));
    }
    return frames;
}

std::vector<float> snare()
{
    Random random(11);
    std::vector<float> frames = frames_for(0.25);
    float low = 0.0f;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const double t = static_cast<double>(i) / sample_rate;
        const auto noise = static_cast<float>(random.unit() * 2.0 - 1.0);
        low += 0.35f * (noise - low); // keeps the rattle from hissing
        const double tone = 0.5 * std::sin(two_pi * 185.0 * t) * std::exp(-t * 25.0);
        frames[i] = static_cast<float>((low * 0.9 + tone) * std::exp(-t * 18.0));
    }
    return frames;
}

std::vector<float> hat()
{
    Random random(13);
    std::vector<float> frames = frames_for(0.08);
    float previous = 0.0f;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const double t = static_cast<double>(i) / sample_rate;
        const auto noise = static_cast<float>(random.unit() * 2.0 - 1.0);
        frames[i] = static_cast<float>((noise - previous) * std::exp(-t * 60.0)); // high-passed
        previous = noise;
    }
    return frames;
}

} // namespace

std::vector<Instrument> instrument_bank()
{
    std::vector<Instrument> bank;
    bank.push_back(looped_wave("lead", {1.0, 0.3, 0.33, 0.12, 0.2, 0.05, 0.14, 0.03, 0.1}, {0.01, 0.35, 0.55, 0.25}, 0.55, 0.15));
    bank.push_back(looped_wave("pad", {1.0, 0.45, 0.2, 0.12, 0.06, 0.03}, {0.18, 0.6, 0.7, 0.6}, 0.3, -0.1));
    bank.push_back(looped_wave("bass", {1.0, 0.4, 0.15, 0.05}, {0.004, 0.3, 0.6, 0.08}, 0.75, 0.0));
    bank.push_back(one_shot("pluck", pluck(), 0.5, -0.3));
    bank.push_back(one_shot("bell", bell(), 0.45, 0.3));
    bank.push_back(one_shot("kick", kick(), 0.85, 0.0));
    bank.push_back(one_shot("snare", snare(), 0.5, 0.05));
    bank.push_back(one_shot("hat", hat(), 0.3, 0.25));
    return bank;
}
