// SPDX-License-Identifier: GPL-3.0-or-later
// Stream decoding of arbitrary bytes, as a track stored in the archive: the first byte picks
// a signature put in front of the rest (none, FLAC, an ID3v2 tag, an Ogg page start), so the
// FLAC, MP3 and Ogg paths are all reached. A decoder that opens is read, seeked to the middle
// and read again; it must never touch memory outside the input or its buffers.
#include "audio/decoder.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    constexpr std::array<std::string_view, 4> signatures{
        std::string_view(), std::string_view("fLaC"), std::string_view("ID3\3\0\0\0\0\0\0", 10), std::string_view("OggS\0\2", 6)};
    const std::string_view signature = signatures[data[0] % signatures.size()];
    std::vector<std::uint8_t> bytes(signature.begin(), signature.end());
    bytes.insert(bytes.end(), data + 1, data + size);
    auto decoder = open_decoder(TrackKind::stream, ArchiveFile{bytes});
    if (!decoder)
        return 0;
    std::vector<float> out(2 * 4096);
    decoder->read(out);
    decoder->set_position(decoder->length() / 2);
    decoder->read(out);
    return 0;
}
