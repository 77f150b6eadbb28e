// SPDX-License-Identifier: GPL-3.0-or-later
// The XM writer that makes test and demo music: modules of several patterns, one-shot and
// looped samples and volume envelopes come out as the player's module decoder plays them.
#include "audio/decoder.h"
#include "media/xm_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr std::int64_t frames_per_row = 5292; // speed 6 at 125 BPM

XmInstrument square(std::size_t frames, std::uint32_t loop_length)
{
    XmInstrument instrument;
    instrument.name = "square";
    for (std::size_t i = 0; i < frames; ++i)
        instrument.sample.frames.push_back(static_cast<std::int16_t>(i % 32 < 16 ? 20000 : -20000));
    instrument.sample.loop_length = loop_length;
    return instrument;
}

XmModule one_channel(std::vector<XmPattern> patterns, std::vector<std::uint8_t> orders, XmInstrument instrument)
{
    XmModule module;
    module.channels = 1;
    module.patterns = std::move(patterns);
    module.orders = std::move(orders);
    module.instruments = {std::move(instrument)};
    return module;
}

XmPattern pattern(int rows, std::vector<std::pair<int, std::uint8_t>> notes)
{
    XmPattern out;
    out.rows = rows;
    out.cells.resize(static_cast<std::size_t>(rows));
    for (const auto& [row, note] : notes)
        out.cells[static_cast<std::size_t>(row)] = {note, static_cast<std::uint8_t>(note == xm_key_off ? 0 : 1), 0, 0, 0};
    return out;
}

// Peak level of each row of the decoded module.
std::vector<float> row_peaks(const std::vector<std::uint8_t>& bytes)
{
    const std::unique_ptr<Decoder> decoder = open_decoder(TrackKind::module, ArchiveFile{bytes});
    EXPECT_NE(decoder, nullptr);
    std::vector<float> peaks;
    std::vector<float> row(2 * frames_per_row);
    while (const std::size_t got = decoder ? decoder->read(row) : 0) {
        float peak = 0.0f;
        for (std::size_t i = 0; i < 2 * got; ++i)
            peak = std::max(peak, std::abs(row[i]));
        peaks.push_back(peak);
    }
    return peaks;
}

TEST(XmWriter, OrdersPlayTheirPatternsInTurn)
{
    const auto bytes = write_xm(one_channel({pattern(16, {{0, 49}}), pattern(8, {{0, 49}})}, {0, 1, 0}, square(64, 64)));
    EXPECT_EQ(row_peaks(bytes).size(), 16u + 8u + 16u);
}

TEST(XmWriter, OneShotSampleEndsAndLoopedSampleHolds)
{
    // 4,000 frames at C-4 (8,363 a second) last about 0.48 s: gone by row 8.
    const std::vector<float> one_shot = row_peaks(write_xm(one_channel({pattern(16, {{0, 49}})}, {0}, square(4000, 0))));
    const std::vector<float> looped = row_peaks(write_xm(one_channel({pattern(16, {{0, 49}})}, {0}, square(64, 64))));
    ASSERT_EQ(one_shot.size(), 16u);
    EXPECT_GT(one_shot[1], 0.1f);
    EXPECT_LT(one_shot[12], 0.001f);
    EXPECT_GT(looped[12], 0.1f);
}

TEST(XmWriter, KeyOffReleasesTheEnvelope)
{
    XmInstrument held = square(64, 64);
    held.envelope = {{0, 64}, {1, 64}, {2, 64}};
    held.sustain_point = 2;
    held.fadeout = 4095; // silent within a row of the key off
    const std::vector<float> peaks = row_peaks(write_xm(one_channel({pattern(16, {{0, 49}, {4, xm_key_off}})}, {0}, held)));
    ASSERT_EQ(peaks.size(), 16u);
    EXPECT_GT(peaks[3], 0.1f);
    EXPECT_LT(peaks[8], 0.001f);
}

TEST(XmWriter, RejectsModulesTheFormatCannotHold)
{
    const XmModule good = one_channel({pattern(16, {})}, {0}, square(64, 64));
    XmModule no_orders = good, missing_pattern = good, short_pattern = good;
    no_orders.orders.clear();
    missing_pattern.orders = {1};
    short_pattern.patterns[0].cells.pop_back();
    for (const XmModule* module : {&no_orders, &missing_pattern, &short_pattern})
        EXPECT_THROW(write_xm(*module), std::invalid_argument);
    EXPECT_NO_THROW(write_xm(good));
}

} // namespace
