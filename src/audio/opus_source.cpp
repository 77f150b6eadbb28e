// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/opus_source.h"

#include "base/file_open.h"

#include <opusfile.h>

#include <algorithm>
#include <climits>

namespace {

int read_view(void* source, unsigned char* out, int size)
{
    return static_cast<int>(static_cast<MemoryReader*>(source)->read(out, static_cast<std::size_t>(size)));
}

int seek_view(void* source, opus_int64 offset, int whence)
{
    return static_cast<MemoryReader*>(source)->seek(offset, whence) < 0 ? -1 : 0;
}

opus_int64 tell_view(void* source)
{
    return static_cast<MemoryReader*>(source)->tell();
}

constexpr OpusFileCallbacks view_callbacks{read_view, seek_view, tell_view, nullptr};

} // namespace

OpusSource::~OpusSource()
{
    if (file_ != nullptr)
        op_free(file_);
}

std::unique_ptr<OpusSource> OpusSource::open(const TrackSource& source)
{
    std::unique_ptr<OpusSource> decoder(new OpusSource());
    if (const auto* path = std::get_if<std::filesystem::path>(&source)) {
        decoder->file_ = op_open_file(library_file_name(*path).c_str(), nullptr);
    } else {
        decoder->reader_.emplace(std::get<ArchiveFile>(source).bytes);
        decoder->file_ = op_open_callbacks(&*decoder->reader_, &view_callbacks, nullptr, 0, nullptr);
    }
    if (decoder->file_ == nullptr)
        return nullptr;
    decoder->length_ = op_pcm_total(decoder->file_, -1);
    if (decoder->length_ <= 0)
        return nullptr;
    return decoder;
}

std::size_t OpusSource::read(std::span<float> interleaved)
{
    std::size_t done = 0;
    const std::size_t wanted = interleaved.size() / 2 * 2;
    while (done < wanted) {
        const int room = static_cast<int>(std::min<std::size_t>(wanted - done, INT_MAX));
        const int got = op_read_float_stereo(file_, interleaved.data() + done, room);
        if (got == OP_HOLE)
            continue; // a gap in damaged data: opusfile has resynchronised
        if (got <= 0)
            break;
        done += 2 * static_cast<std::size_t>(got);
    }
    return done / 2;
}

bool OpusSource::seek(std::int64_t frame)
{
    return op_pcm_seek(file_, frame) == 0;
}
