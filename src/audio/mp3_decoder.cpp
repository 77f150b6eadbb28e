#include "audio/mp3_decoder.h"

#include "base/file_open.h"
#include "platform/audio_device.h"

#include <mpg123.h>

#include <algorithm>
#include <sys/types.h>

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

Mp3Decoder::Mp3Decoder() : handle_(mpg123_new(nullptr, nullptr)) {}

Mp3Decoder::~Mp3Decoder()
{
    if (handle_ != nullptr) {
        mpg123_close(handle_);
        mpg123_delete(handle_);
    }
}

std::unique_ptr<Mp3Decoder> Mp3Decoder::open(const TrackSource& source)
{
    std::unique_ptr<Mp3Decoder> decoder(new Mp3Decoder());
    if (decoder->handle_ == nullptr || !decoder->start(source))
        return nullptr;
    return decoder;
}

bool Mp3Decoder::start(const TrackSource& source)
{
    mpg123_param(handle_, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS | MPG123_FORCE_STEREO, 0);
    // After a seek, layer 3 needs earlier frames for its bit reservoir (up to 511 bytes back,
    // which at the lowest bit rates spans about ten frames); without them it outputs silence.
    mpg123_param(handle_, MPG123_PREFRAMES, 10, 0);
    // The only output format allowed; mpg123 resamples and converts to reach it.
    mpg123_format_none(handle_);
    if (mpg123_format(handle_, AudioDevice::sample_rate, MPG123_STEREO, MPG123_ENC_FLOAT_32) != MPG123_OK)
        return false;

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
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK || rate != AudioDevice::sample_rate
        || channels != 2 || encoding != MPG123_ENC_FLOAT_32)
        return false;
    if (mpg123_scan(handle_) != MPG123_OK)
        return false;
    length_ = mpg123_length(handle_);
    return length_ > 0;
}

std::size_t Mp3Decoder::read(std::span<float> interleaved)
{
    std::size_t done_bytes = 0;
    const std::size_t wanted_bytes = interleaved.size_bytes() / 8 * 8;
    auto* out = reinterpret_cast<unsigned char*>(interleaved.data());
    while (done_bytes < wanted_bytes) {
        size_t got = 0;
        const int result = mpg123_read(handle_, out + done_bytes, wanted_bytes - done_bytes, &got);
        done_bytes += got;
        if (result != MPG123_OK && result != MPG123_NEW_FORMAT)
            break; // MPG123_DONE, or an error in damaged data: the track ends here
        if (got == 0 && result == MPG123_OK)
            break;
    }
    const std::size_t frames = done_bytes / (2 * sizeof(float));
    position_ += static_cast<std::int64_t>(frames);
    return frames;
}

void Mp3Decoder::set_position(std::int64_t frame)
{
    const std::int64_t clamped = std::clamp<std::int64_t>(frame, 0, length_);
    const auto reached = mpg123_seek(handle_, static_cast<off_t>(clamped), SEEK_SET);
    if (reached >= 0)
        position_ = reached;
}
