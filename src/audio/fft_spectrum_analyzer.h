// SPDX-License-Identifier: GPL-3.0-or-later
// FftSpectrumAnalyzer: keeps the last 1,024 samples a channel produced (left and right mixed to
// mono) and turns them into 512 magnitudes with a Hann-windowed FFT (FFTW, single
// precision). Magnitudes are scaled so that a full-scale sine peaks near 1.0 in its bin.
// The FFT plan is made once, in the constructor (FFTW's planner is not thread-safe: make
// analyzers on one thread at a time). push() never allocates.
// Not thread-safe otherwise: the engine uses it under its lock.
#pragma once

#include <array>
#include <cstddef>
#include <span>

class FftSpectrumAnalyzer {
public:
    static constexpr std::size_t window_size = 1024;
    static constexpr std::size_t bin_count = 512;

    FftSpectrumAnalyzer();
    FftSpectrumAnalyzer(const FftSpectrumAnalyzer&) = delete;
    FftSpectrumAnalyzer& operator=(const FftSpectrumAnalyzer&) = delete;
    ~FftSpectrumAnalyzer();

    // Appends interleaved stereo frames to the history.
    void push(std::span<const float> interleaved);

    // Forgets the history (silence).
    void clear();

    // Magnitudes of bins 0 (DC) to 511 of the last 1,024 samples into `out`.
    void compute(std::span<float, bin_count> out);

private:
    std::array<float, window_size> history_{}; // ring buffer of mono samples
    std::size_t next_ = 0;                     // ring index of the oldest sample
    std::array<float, window_size> window_{};
    float* input_;  // fftwf_malloc'd, window_size floats
    void* output_;  // fftwf_complex[bin_count + 1]
    void* plan_;    // fftwf_plan
};
