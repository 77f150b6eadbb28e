// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/vorbis_source.h"

#include "base/file_open.h"

#include <algorithm>

namespace {

size_t read_view(void* out, size_t size, size_t count, void* source)
{
    if (size == 0)
        return 0;
    return static_cast<MemoryReader*>(source)->read(out, size * count) / size;
}

int seek_view(void* source, ogg_int64_t offset, int whence)
{
    return static_cast<MemoryReader*>(source)->seek(offset, whence) < 0 ? -1 : 0;
}

long tell_view(void* source)
{
    return static_cast<long>(static_cast<MemoryReader*>(source)->tell());
}

constexpr ov_callbacks view_callbacks{read_view, seek_view, nullptr, tell_view};

} // namespace

VorbisSource::~VorbisSource()
{
    if (file_open_)
        ov_clear(&file_);
}

std::unique_ptr<VorbisSource> VorbisSource::open(const TrackSource& source)
{
    std::unique_ptr<VorbisSource> decoder(new VorbisSource());
    if (!decoder->start(source))
        return nullptr;
    return decoder;
}

bool VorbisSource::start(const TrackSource& source)
{
    int opened = -1;
    if (const auto* path = std::get_if<std::filesystem::path>(&source)) {
        std::FILE* file = open_for_reading(*path);
        opened = file ? ov_open_callbacks(file, &file_, nullptr, 0, OV_CALLBACKS_DEFAULT) : -1;
        if (opened != 0 && file)
            std::fclose(file); // vorbisfile closes the file only once it has taken it
    } else {
        reader_.emplace(std::get<ArchiveFile>(source).bytes);
        opened = ov_open_callbacks(&*reader_, &file_, nullptr, 0, view_callbacks);
    }
    if (opened != 0)
        return false;
    file_open_ = true;
    // Every link of a chained file must share one rate and layout, as the output has one.
    for (long link = 0; link < ov_streams(&file_); ++link) {
        const vorbis_info* info = ov_info(&file_, static_cast<int>(link));
        if (info == nullptr || info->rate <= 0 || info->rate > 384000 || info->channels < 1 || info->channels > 255
            || (rate_ != 0 && (info->rate != rate_ || info->channels != channels_)))
            return false;
        rate_ = static_cast<int>(info->rate);
        channels_ = info->channels;
    }
    length_ = ov_pcm_total(&file_, -1);
    return length_ > 0;
}

std::size_t VorbisSource::read(std::span<float> interleaved)
{
    const auto width = static_cast<std::size_t>(channels_);
    const std::size_t frames = interleaved.size() / width;
    std::size_t done = 0;
    while (done < frames) {
        float** planes = nullptr;
        int link = 0;
        const long got = ov_read_float(&file_, &planes, static_cast<int>(std::min<std::size_t>(frames - done, 4096)), &link);
        if (got == OV_HOLE)
            continue; // a gap in damaged data: vorbisfile has resynchronised
        if (got <= 0)
            break;
        float* out = interleaved.data() + width * done;
        for (std::size_t c = 0; c < width; ++c) {
            for (long i = 0; i < got; ++i)
                out[width * static_cast<std::size_t>(i) + c] = planes[c][i];
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}
