// SPDX-License-Identifier: GPL-3.0-or-later
// Every decoder of the decoder table fed from memory, as tracks stored in the archive are
// played: the first byte chooses the track kind (every kind up to TrackKind::none, so a kind
// added to the table is fuzzed with no change here); the rest is the track. An opened decoder
// (streams at any rate and channel count are resampled and downmixed inside it) is read for a
// while, sought to the middle of its length and read again. Opening gives a decoder or
// nullptr; reads return at most the frames asked for; nothing crashes or reads outside.
#include "audio/decoder.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace {

constexpr int kind_count = static_cast<int>(TrackKind::none) + 1;
// Bounds a module that loops or a stream that never ends.
constexpr int read_calls = 24;

void play(Decoder& decoder)
{
    std::array<float, 2 * 1024> buffer{};
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < read_calls; ++i) {
            const std::size_t frames = decoder.read(buffer);
            if (frames > buffer.size() / 2)
                __builtin_trap();
            if (frames == 0)
                break;
        }
        decoder.set_position(decoder.length() / 2);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const auto kind = static_cast<TrackKind>(data[0] % kind_count);
    const ArchiveFile track{std::span<const std::uint8_t>(data + 1, size - 1)};
    if (auto decoder = open_decoder(kind, track))
        play(*decoder);
    return 0;
}
