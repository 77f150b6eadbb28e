// SPDX-License-Identifier: GPL-3.0-or-later
// The loudness of the end of a disk-audio file (SDL's disk driver: stereo float32 at 44.1 kHz,
// written in real time), for the end-to-end scripts to poll.
//   audio_level FILE SECONDS     prints the RMS of the last SECONDS of both channels (0 when
//                                the file holds less), then the file's length in seconds
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr double frame_rate = 44100.0;
constexpr long frame_bytes = 2 * sizeof(float);

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: audio_level FILE SECONDS\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary | std::ios::ate);
    const long frames = in ? static_cast<long>(in.tellg()) / frame_bytes : 0;
    const long wanted = std::lround(std::stod(argv[2]) * frame_rate);
    double rms = 0.0;
    if (wanted > 0 && frames >= wanted) {
        std::vector<float> samples(static_cast<std::size_t>(wanted * 2));
        in.seekg((frames - wanted) * frame_bytes);
        in.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * sizeof(float)));
        double sum = 0.0;
        for (const float sample : samples)
            sum += static_cast<double>(sample) * sample;
        rms = std::sqrt(sum / static_cast<double>(samples.size()));
    }
    std::printf("%.5f %.2f\n", rms, static_cast<double>(frames) / frame_rate);
    return 0;
}
