#include "xm_writer.h"

#include "byte_builder.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int sample_frames = 64; // one sine cycle, looped

void fixed_text(ByteBuilder& out, std::string_view text, std::size_t width)
{
    out.text(text.substr(0, width)).fill(width - std::min(width, text.size()), 0);
}

void header(ByteBuilder& out, const XmSong& song)
{
    out.text("Extended Module: ");
    fixed_text(out, "test song", 20);
    out.u8(0x1A);
    fixed_text(out, "vorlunde tests", 20);
    out.u16(0x0104).u32(276);
    out.u16(static_cast<std::uint16_t>(song.orders)).u16(0);
    out.u16(static_cast<std::uint16_t>(song.channels)).u16(1).u16(1).u16(1); // patterns, instruments, linear
    out.u16(static_cast<std::uint16_t>(song.speed)).u16(static_cast<std::uint16_t>(song.bpm));
    out.fill(256, 0); // every order plays pattern 0
}

void pattern(ByteBuilder& out, const XmSong& song)
{
    ByteBuilder cells;
    for (int row = 0; row < song.rows; ++row) {
        for (int channel = 0; channel < song.channels; ++channel) {
            if (row % song.note_every_rows == 0) // packed cell: note and instrument follow
                cells.u8(0x83).u8(static_cast<std::uint8_t>(49 + (channel + row) % 12)).u8(1);
            else
                cells.u8(0x80);
        }
    }
    out.u32(9).u8(0).u16(static_cast<std::uint16_t>(song.rows)).u16(static_cast<std::uint16_t>(cells.size()));
    out.raw(cells.bytes());
}

void instrument(ByteBuilder& out)
{
    const std::size_t start = out.size();
    out.u32(263);
    fixed_text(out, "sine", 22);
    out.u8(0).u16(1).u32(40);
    out.fill(96 + 48 + 48, 0); // keymap, volume and panning envelopes
    out.fill(14, 0);           // envelope points and flags, vibrato
    out.u16(0);                // fadeout
    out.fill(263 - (out.size() - start), 0);

    out.u32(sample_frames).u32(0).u32(sample_frames); // length, loop start, loop length
    out.u8(64).u8(0).u8(1).u8(128).u8(0).u8(0);      // volume, finetune, forward loop, pan, note, packing
    fixed_text(out, "sine", 22);
    std::int8_t previous = 0;
    for (int i = 0; i < sample_frames; ++i) { // 8-bit deltas
        const auto value = static_cast<std::int8_t>(std::lround(100.0 * std::sin(2.0 * std::numbers::pi * i / sample_frames)));
        out.u8(static_cast<std::uint8_t>(value - previous));
        previous = value;
    }
}

} // namespace

std::vector<std::uint8_t> make_xm(const XmSong& song)
{
    ByteBuilder out;
    header(out, song);
    pattern(out, song);
    instrument(out);
    return out.take();
}
