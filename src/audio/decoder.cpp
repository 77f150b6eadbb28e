#include "audio/decoder.h"

#include "audio/module_decoder.h"
#include "audio/mp3_decoder.h"
#include "audio/resampling_decoder.h"
#include "audio/vorbis_decoder.h"
#include "platform/audio_device.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>

namespace {

// Streams are told apart by their bytes, not their names: Ogg files begin with "OggS".
bool starts_as_ogg(const TrackSource& source)
{
    std::array<char, 4> head{};
    if (const auto* path = std::get_if<std::filesystem::path>(&source)) {
        std::ifstream file(*path, std::ios::binary);
        file.read(head.data(), head.size());
    } else {
        const auto bytes = std::get<ArchiveFile>(source).bytes;
        std::copy_n(bytes.begin(), std::min(bytes.size(), head.size()), head.begin());
    }
    return std::memcmp(head.data(), "OggS", head.size()) == 0;
}

} // namespace

std::unique_ptr<Decoder> open_decoder(TrackKind kind, const TrackSource& source)
{
    switch (kind) {
    case TrackKind::module:
        return ModuleDecoder::open(source);
    case TrackKind::stream:
        if (starts_as_ogg(source)) {
            auto vorbis = VorbisDecoder::open(source);
            if (!vorbis || vorbis->rate() == AudioDevice::sample_rate)
                return vorbis;
            const int rate = vorbis->rate();
            return std::make_unique<ResamplingDecoder>(std::move(vorbis), rate);
        }
        return Mp3Decoder::open(source);
    case TrackKind::none:
        break;
    }
    return nullptr;
}
