// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/mp3_source.h"

#include "base/file_open.h"

#include <mpg123.h>

namespace {

ssize_t read_view(void* handle, void* out, size_t size)
{
    return static_cast<ssize_t>(static_cast<MemoryReader*>(handle)->read(out, size));
}

off_t seek_view(void* handle, off_t offset, int whence)
{
    return static_cast<off_t>(static_cast<MemoryReader*>(handle)->seek(offset, whence));
}

} // namespace

Mp3Source::Mp3Source() : handle_(mpg123_new(nullptr, nullptr)) {}

Mp3Source::~Mp3Source()
{
    if (handle_ != nullptr) {
        mpg123_close(handle_);
        mpg123_delete(handle_);
    }
}

std::unique_ptr<Mp3Source> Mp3Source::open(const TrackSource& source)
{
    std::unique_ptr<Mp3Source> decoder(new Mp3Source());
    if (decoder->handle_ == nullptr || !decoder->start(source))
        return nullptr;
    return decoder;
}

bool Mp3Source::start(const TrackSource& source)
{
    mpg123_param(handle_, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0);
    // After a seek, layer 3 needs earlier frames for its bit reservoir (up to 511 bytes back,
    // which at the lowest bit rates spans about ten frames); without them it outputs silence.
    mpg123_param(handle_, MPG123_PREFRAMES, 10, 0);
    // Float output at every rate the stream may have, so mpg123 never resamples.
    mpg123_format_none(handle_);
    const long* rates = nullptr;
    size_t rate_count = 0;
    mpg123_rates(&rates, &rate_count);
    for (size_t i = 0; i < rate_count; ++i)
        mpg123_format(handle_, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);

    int opened = MPG123_ERR;
    if (const auto* path = std::get_if<std::filesystem::path>(&source)) {
        opened = mpg123_open(handle_, library_file_name(*path).c_str());
    } else {
        reader_.emplace(std::get<ArchiveFile>(source).bytes);
        mpg123_replace_reader_handle(handle_, read_view, seek_view, nullptr);
        opened = mpg123_open_handle(handle_, &*reader_);
    }
    if (opened != MPG123_OK)
        return false;

    // Asking for the format once before reading is what makes the first read deliver audio.
    long rate = 0;
    int encoding = 0;
    if (mpg123_getformat(handle_, &rate, &channels_, &encoding) != MPG123_OK || rate <= 0 || channels_ < 1
        || channels_ > 2 || encoding != MPG123_ENC_FLOAT_32)
        return false;
    rate_ = static_cast<int>(rate);
    // Every frame must keep the first one's format: the output has one rate and layout.
    mpg123_format_none(handle_);
    mpg123_format(handle_, rate, channels_, MPG123_ENC_FLOAT_32);
    if (mpg123_scan(handle_) != MPG123_OK)
        return false;
    length_ = mpg123_length(handle_);
    return length_ > 0;
}

std::size_t Mp3Source::read(std::span<float> interleaved)
{
    const std::size_t frame_bytes = static_cast<std::size_t>(channels_) * sizeof(float);
    const std::size_t wanted_bytes = interleaved.size_bytes() / frame_bytes * frame_bytes;
    auto* out = reinterpret_cast<unsigned char*>(interleaved.data());
    std::size_t done_bytes = 0;
    while (done_bytes < wanted_bytes) {
        size_t got = 0;
        const int result = mpg123_read(handle_, out + done_bytes, wanted_bytes - done_bytes, &got);
        done_bytes += got;
        if (result != MPG123_OK && result != MPG123_NEW_FORMAT)
            break; // MPG123_DONE, or an error in damaged data: the track ends here
        if (got == 0 && result == MPG123_OK)
            break;
    }
    return done_bytes / frame_bytes;
}

bool Mp3Source::seek(std::int64_t frame)
{
    return mpg123_seek(handle_, static_cast<off_t>(frame), SEEK_SET) >= 0;
}
