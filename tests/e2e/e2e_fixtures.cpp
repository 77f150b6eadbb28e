// SPDX-License-Identifier: GPL-3.0-or-later
// Files for end-to-end tests, and the check of the player's disk audio output.
//   e2e_fixtures tone FILE.ogg HZ SECONDS     a sine as Ogg Vorbis
//   e2e_fixtures bmp FILE.bmp W H RRGGBB      a solid 24-bit BMP
//   e2e_fixtures mask FILE W H CUT            a window-shape mask: the top-left CUT × CUT cut away
//   e2e_fixtures measure FILE.raw HZ          stereo float 44.1 kHz: the loudest second's RMS and
//                                             frequency (zero crossings); exit 0 when RMS > 0.05
//                                             and the frequency lies within 3 % of HZ
//   e2e_fixtures gaps FILE.raw BYTES            stereo float 44.1 kHz: the longest run of silent
//                                             frames (both channels below 0.001) in the first
//                                             BYTES bytes, from the first sounding frame on;
//                                             prints "longest gap N frames (M ms)"
#include "skin_files.h"
#include "media/sndfile_encoder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

void write(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

int measure(const std::string& path, double hz)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<float> samples(bytes.size() / sizeof(float));
    std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(samples.size() * sizeof(float)),
              reinterpret_cast<char*>(samples.data()));
    constexpr std::size_t window = 44100; // frames
    double best_rms = 0.0;
    double best_hz = 0.0;
    for (std::size_t start = 0; (start + window) * 2 <= samples.size(); start += window / 2) {
        double sum = 0.0;
        int crossings = 0;
        for (std::size_t frame = start; frame < start + window; ++frame) {
            const float left = samples[frame * 2];
            sum += static_cast<double>(left) * left;
            if (frame > start && (samples[(frame - 1) * 2] < 0.0f) != (left < 0.0f))
                ++crossings;
        }
        const double rms = std::sqrt(sum / window);
        if (rms > best_rms) {
            best_rms = rms;
            best_hz = crossings / 2.0;
        }
    }
    std::printf("rms %.4f frequency %.1f Hz over %zu frames\n", best_rms, best_hz, samples.size() / 2);
    return best_rms > 0.05 && std::abs(best_hz - hz) < hz * 0.03 ? 0 : 1;
}

int longest_gap(const std::string& path, std::size_t bytes)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<float> samples(bytes / (2 * sizeof(float)) * 2);
    in.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * sizeof(float)));
    samples.resize(static_cast<std::size_t>(in.gcount()) / (2 * sizeof(float)) * 2);
    constexpr float quiet = 0.001f;
    std::size_t longest = 0;
    std::size_t run = 0;
    bool sounded = false;
    for (std::size_t frame = 0; frame * 2 < samples.size(); ++frame) {
        const bool silent = std::abs(samples[frame * 2]) < quiet && std::abs(samples[frame * 2 + 1]) < quiet;
        sounded = sounded || !silent;
        run = silent && sounded ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    std::printf("longest gap %zu frames (%.1f ms) in %zu frames\n", longest, static_cast<double>(longest) * 1000.0 / 44100.0,
                samples.size() / 2);
    return sounded ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[0] == "tone") {
        const auto pcm = sine_pcm(std::stod(args[2]), static_cast<std::size_t>(std::stod(args[3]) * 44100), 0.5f);
        write(args[1], encode_pcm(pcm, EncodedFormat::ogg_vorbis));
        return 0;
    }
    if (args.size() == 5 && args[0] == "bmp") {
        write(args[1], solid_bmp(std::stoi(args[2]), std::stoi(args[3]), static_cast<std::uint32_t>(std::stoul(args[4], nullptr, 16))));
        return 0;
    }
    if (args.size() == 5 && args[0] == "mask") {
        const int width = std::stoi(args[2]);
        const int height = std::stoi(args[3]);
        const int cut = std::stoi(args[4]);
        std::vector<std::uint8_t> mask(static_cast<std::size_t>(width * height), 0);
        for (int y = 0; y < cut; ++y)
            for (int x = 0; x < cut; ++x)
                mask[static_cast<std::size_t>(y * width + x)] = 1;
        write(args[1], mask);
        return 0;
    }
    if (args.size() == 3 && args[0] == "measure")
        return measure(args[1], std::stod(args[2]));
    if (args.size() == 3 && args[0] == "gaps")
        return longest_gap(args[1], std::stoul(args[2]));
    std::cerr << "usage: e2e_fixtures tone|bmp|mask|measure|gaps ...\n";
    return 2;
}
