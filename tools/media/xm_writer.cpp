// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/xm_writer.h"

#include "media/byte_builder.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace {

constexpr std::uint32_t instrument_header_size = 263;
constexpr std::uint32_t sample_header_size = 40;
constexpr std::size_t max_envelope_points = 12;

void fixed_text(ByteBuilder& out, std::string_view text, std::size_t width)
{
    out.text(text.substr(0, width)).fill(width - std::min(width, text.size()), 0);
}

std::uint16_t u16_of(std::size_t value)
{
    return static_cast<std::uint16_t>(value);
}

void header(ByteBuilder& out, const XmModule& module)
{
    out.text("Extended Module: ");
    fixed_text(out, module.name, 20);
    out.u8(0x1A);
    fixed_text(out, "vorlunde", 20);
    out.u16(0x0104).u32(276);
    out.u16(u16_of(module.orders.size())).u16(static_cast<std::uint16_t>(module.restart_position));
    out.u16(static_cast<std::uint16_t>(module.channels)).u16(u16_of(module.patterns.size()));
    out.u16(u16_of(module.instruments.size())).u16(1); // linear frequency table
    out.u16(static_cast<std::uint16_t>(module.speed)).u16(static_cast<std::uint16_t>(module.bpm));
    for (std::size_t i = 0; i < 256; ++i)
        out.u8(i < module.orders.size() ? module.orders[i] : 0);
}

// Packed cells: a leading byte with bit 7 set tells which of the five fields follow.
void pattern(ByteBuilder& out, const XmPattern& pattern, int channels)
{
    ByteBuilder cells;
    for (const XmCell& cell : pattern.cells) {
        const std::uint8_t fields[] = {cell.note, cell.instrument, cell.volume, cell.effect, cell.parameter};
        std::uint8_t mask = 0x80;
        for (int field = 0; field < 5; ++field) {
            if (fields[field] != 0)
                mask = static_cast<std::uint8_t>(mask | 1 << field);
        }
        cells.u8(mask);
        for (const std::uint8_t field : fields) {
            if (field != 0)
                cells.u8(field);
        }
    }
    if (pattern.cells.empty())
        cells.fill(static_cast<std::size_t>(pattern.rows * channels), 0x80);
    out.u32(9).u8(0).u16(static_cast<std::uint16_t>(pattern.rows)).u16(u16_of(cells.size()));
    out.raw(cells.bytes());
}

void instrument(ByteBuilder& out, const XmInstrument& instrument)
{
    const std::size_t start = out.size();
    out.u32(instrument_header_size);
    fixed_text(out, instrument.name, 22);
    out.u8(0).u16(1).u32(sample_header_size);
    out.fill(96, 0); // every key plays sample 0
    const std::size_t points = std::min(instrument.envelope.size(), max_envelope_points);
    for (std::size_t i = 0; i < max_envelope_points; ++i) {
        const XmEnvelopePoint point = i < points ? instrument.envelope[i] : XmEnvelopePoint{0, 0};
        out.u16(point.tick).u16(point.volume);
    }
    out.fill(48, 0); // panning envelope
    out.u8(static_cast<std::uint8_t>(points)).u8(0);
    out.u8(static_cast<std::uint8_t>(std::max(instrument.sustain_point, 0))).u8(0).u8(0); // sustain, loop
    out.u8(0).u8(0).u8(0);                                                                   // panning ones
    std::uint8_t envelope_flags = points > 0 ? 1 : 0;
    if (points > 0 && instrument.sustain_point >= 0)
        envelope_flags |= 2;
    out.u8(envelope_flags).u8(0);
    out.fill(4, 0); // vibrato
    out.u16(instrument.fadeout);
    out.fill(instrument_header_size - (out.size() - start), 0);

    const XmSample& sample = instrument.sample;
    const auto bytes = static_cast<std::uint32_t>(2 * sample.frames.size());
    const std::uint8_t loop_type = sample.loop_length > 0 ? 1 : 0;
    out.u32(bytes).u32(2 * sample.loop_start).u32(2 * sample.loop_length);
    out.u8(sample.volume).u8(static_cast<std::uint8_t>(sample.finetune)).u8(static_cast<std::uint8_t>(loop_type | 0x10));
    out.u8(sample.panning).u8(static_cast<std::uint8_t>(sample.relative_note)).u8(0);
    fixed_text(out, instrument.name, 22);
    std::int16_t previous = 0;
    for (const std::int16_t value : sample.frames) { // 16-bit deltas
        out.u16(static_cast<std::uint16_t>(value - previous));
        previous = value;
    }
}

void validate(const XmModule& module)
{
    if (module.orders.empty() || module.orders.size() > 256)
        throw std::invalid_argument("xm module needs 1 to 256 orders");
    for (const std::uint8_t order : module.orders) {
        if (order >= module.patterns.size())
            throw std::invalid_argument("xm order names a missing pattern");
    }
    for (const XmPattern& pattern : module.patterns) {
        if (!pattern.cells.empty() && pattern.cells.size() != static_cast<std::size_t>(pattern.rows * module.channels))
            throw std::invalid_argument("xm pattern cells do not fill its rows");
    }
}

} // namespace

std::vector<std::uint8_t> write_xm(const XmModule& module)
{
    validate(module);
    ByteBuilder out;
    header(out, module);
    for (const XmPattern& each : module.patterns)
        pattern(out, each, module.channels);
    for (const XmInstrument& each : module.instruments)
        instrument(out, each);
    return out.take();
}

std::vector<std::uint8_t> make_xm(const XmSong& song)
{
    constexpr int cycle_frames = 64; // one sine cycle, looped
    XmInstrument sine;
    sine.name = "sine";
    for (int i = 0; i < cycle_frames; ++i)
        sine.sample.frames.push_back(static_cast<std::int16_t>(std::lround(25600.0 * std::sin(2.0 * std::numbers::pi * i / cycle_frames))));
    sine.sample.loop_length = cycle_frames;

    XmPattern only;
    only.rows = song.rows;
    for (int row = 0; row < song.rows; ++row) {
        for (int channel = 0; channel < song.channels; ++channel) {
            if (row % song.note_every_rows == 0)
                only.cells.push_back({static_cast<std::uint8_t>(49 + (channel + row) % 12), 1, 0, 0, 0});
            else
                only.cells.push_back(XmCell{});
        }
    }
    XmModule module;
    module.name = "test song";
    module.channels = song.channels;
    module.speed = song.speed;
    module.bpm = song.bpm;
    module.orders.assign(static_cast<std::size_t>(song.orders), 0);
    module.patterns = {only};
    module.instruments = {sine};
    return write_xm(module);
}
