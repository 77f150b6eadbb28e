// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/fft_spectrum_analyzer.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <numbers>

FftSpectrumAnalyzer::FftSpectrumAnalyzer()
    : input_(fftwf_alloc_real(window_size))
    , output_(fftwf_alloc_complex(bin_count + 1))
    , plan_(fftwf_plan_dft_r2c_1d(static_cast<int>(window_size), input_,
          static_cast<fftwf_complex*>(output_), FFTW_ESTIMATE))
{
    for (std::size_t i = 0; i < window_size; ++i) {
        const double phase = 2.0 * std::numbers::pi * static_cast<double>(i) / window_size;
        window_[i] = static_cast<float>(0.5 - 0.5 * std::cos(phase));
    }
}

FftSpectrumAnalyzer::~FftSpectrumAnalyzer()
{
    fftwf_destroy_plan(static_cast<fftwf_plan>(plan_));
    fftwf_free(output_);
    fftwf_free(input_);
}

void FftSpectrumAnalyzer::push(std::span<const float> interleaved)
{
    // Only the newest window_size frames can matter.
    const std::size_t frames = interleaved.size() / 2;
    const std::size_t first = frames > window_size ? frames - window_size : 0;
    for (std::size_t f = first; f < frames; ++f) {
        history_[next_] = 0.5f * (interleaved[2 * f] + interleaved[2 * f + 1]);
        next_ = (next_ + 1) % window_size;
    }
}

void FftSpectrumAnalyzer::clear()
{
    history_.fill(0.0f);
    next_ = 0;
}

void FftSpectrumAnalyzer::compute(std::span<float, bin_count> out)
{
    for (std::size_t i = 0; i < window_size; ++i)
        input_[i] = history_[(next_ + i) % window_size] * window_[i];
    fftwf_execute(static_cast<fftwf_plan>(plan_));
    // A Hann window sums to N / 2, so a sine of amplitude A peaks at A · N / 4.
    constexpr float scale = 4.0f / window_size;
    const auto* bins = static_cast<const fftwf_complex*>(output_);
    for (std::size_t k = 0; k < bin_count; ++k)
        out[k] = std::hypot(bins[k][0], bins[k][1]) * scale;
}
