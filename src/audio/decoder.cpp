// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/decoder.h"

#include "audio/flac_source.h"
#include "audio/module_decoder.h"
#include "audio/mp3_source.h"
#include "audio/opus_source.h"
#include "audio/stream_decoder.h"
#include "audio/vorbis_source.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <string_view>

namespace {

// The first bytes of a stream: enough for the Ogg page header and the first packet's
// signature, and to step over an ID3v2 tag in front of a FLAC signature.
class StreamHead {
public:
    explicit StreamHead(const TrackSource& source) : source_(source) { fill(0, head_); }

    bool begins_with(std::size_t offset, std::string_view signature) const
    {
        return offset + signature.size() <= head_.size()
            && std::memcmp(head_.data() + offset, signature.data(), signature.size()) == 0;
    }

    std::size_t byte(std::size_t offset) const { return static_cast<unsigned char>(head_[offset]); }

    // The four bytes after an ID3v2 tag at the start, or the first four without one.
    bool after_tag_begins_with(std::string_view signature) const
    {
        if (!begins_with(0, "ID3"))
            return begins_with(0, signature);
        const auto byte = [this](std::size_t i) { return static_cast<std::uint64_t>(static_cast<unsigned char>(head_[i]) & 0x7F); };
        const std::uint64_t tag = 10 + (byte(6) << 21 | byte(7) << 14 | byte(8) << 7 | byte(9));
        std::array<char, 4> after{};
        fill(tag, after);
        return std::memcmp(after.data(), signature.data(), std::min(after.size(), signature.size())) == 0;
    }

private:
    template <std::size_t N>
    void fill(std::uint64_t offset, std::array<char, N>& out) const
    {
        if (const auto* path = std::get_if<std::filesystem::path>(&source_)) {
            std::ifstream file(*path, std::ios::binary);
            file.seekg(static_cast<std::streamoff>(offset));
            file.read(out.data(), out.size());
        } else {
            const auto bytes = std::get<ArchiveFile>(source_).bytes;
            if (offset < bytes.size())
                std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), std::min<std::uint64_t>(bytes.size() - offset, N),
                    out.begin());
        }
    }

    const TrackSource& source_;
    std::array<char, 64> head_{};
};

std::unique_ptr<StreamSource> open_stream(const TrackSource& source)
{
    const StreamHead head(source);
    if (head.begins_with(0, "OggS")) {
        // The first packet, after the page's 27 header bytes and its lacing values, names the codec.
        const std::size_t packet = 27 + head.byte(26);
        if (head.begins_with(packet, "OpusHead"))
            return OpusSource::open(source);
        if (head.begins_with(packet, "\x7F" "FLAC"))
            return FlacSource::open(source, true);
        return VorbisSource::open(source);
    }
    if (head.after_tag_begins_with("fLaC"))
        return FlacSource::open(source, false);
    return Mp3Source::open(source);
}

} // namespace

std::unique_ptr<Decoder> open_decoder(TrackKind kind, const TrackSource& source)
{
    switch (kind) {
    case TrackKind::module:
        return ModuleDecoder::open(source);
    case TrackKind::stream:
        if (auto stream = open_stream(source))
            return std::make_unique<StreamDecoder>(std::move(stream));
        return nullptr;
    case TrackKind::none:
        break;
    }
    return nullptr;
}
