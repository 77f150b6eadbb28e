// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/flac_source.h"

#include "base/file_open.h"

#include <FLAC/stream_decoder.h>

#include <algorithm>
#include <cstring>

struct FlacSource::Callbacks {
    static FLAC__StreamDecoderReadStatus read(const FLAC__StreamDecoder*, FLAC__byte buffer[], size_t* bytes, void* data)
    {
        auto& self = *static_cast<FlacSource*>(data);
        *bytes = self.reader_->read(buffer, *bytes);
        return *bytes == 0 ? FLAC__STREAM_DECODER_READ_STATUS_END_OF_STREAM : FLAC__STREAM_DECODER_READ_STATUS_CONTINUE;
    }

    static FLAC__StreamDecoderSeekStatus seek(const FLAC__StreamDecoder*, FLAC__uint64 offset, void* data)
    {
        auto& self = *static_cast<FlacSource*>(data);
        return self.reader_->seek(static_cast<std::int64_t>(offset), SEEK_SET) < 0 ? FLAC__STREAM_DECODER_SEEK_STATUS_ERROR
                                                                                    : FLAC__STREAM_DECODER_SEEK_STATUS_OK;
    }

    static FLAC__StreamDecoderTellStatus tell(const FLAC__StreamDecoder*, FLAC__uint64* offset, void* data)
    {
        *offset = static_cast<FLAC__uint64>(static_cast<FlacSource*>(data)->reader_->tell());
        return FLAC__STREAM_DECODER_TELL_STATUS_OK;
    }

    static FLAC__StreamDecoderLengthStatus length(const FLAC__StreamDecoder*, FLAC__uint64* size, void* data)
    {
        *size = static_cast<FLAC__uint64>(static_cast<FlacSource*>(data)->archive_size_);
        return FLAC__STREAM_DECODER_LENGTH_STATUS_OK;
    }

    static FLAC__bool eof(const FLAC__StreamDecoder*, void* data)
    {
        const auto& self = *static_cast<FlacSource*>(data);
        return self.reader_->tell() >= self.archive_size_;
    }

    // Appends one decoded block to the pending frames, scaled to -1..1.
    static FLAC__StreamDecoderWriteStatus write(const FLAC__StreamDecoder*, const FLAC__Frame* frame,
        const FLAC__int32* const planes[], void* data)
    {
        auto& self = *static_cast<FlacSource*>(data);
        if (static_cast<int>(frame->header.channels) != self.channels_ || self.bits_ <= 0)
            return FLAC__STREAM_DECODER_WRITE_STATUS_ABORT;
        const auto width = static_cast<std::size_t>(self.channels_);
        const float scale = 1.0f / static_cast<float>(1u << (self.bits_ - 1));
        self.pending_.erase(self.pending_.begin(), self.pending_.begin() + static_cast<std::ptrdiff_t>(self.pending_offset_));
        self.pending_offset_ = 0;
        const std::size_t first = self.pending_.size();
        self.pending_.resize(first + width * frame->header.blocksize);
        for (std::size_t c = 0; c < width; ++c) {
            for (std::size_t i = 0; i < frame->header.blocksize; ++i)
                self.pending_[first + width * i + c] = static_cast<float>(planes[c][i]) * scale;
        }
        return FLAC__STREAM_DECODER_WRITE_STATUS_CONTINUE;
    }

    static void metadata(const FLAC__StreamDecoder*, const FLAC__StreamMetadata* block, void* data)
    {
        if (block->type != FLAC__METADATA_TYPE_STREAMINFO)
            return;
        auto& self = *static_cast<FlacSource*>(data);
        const auto& info = block->data.stream_info;
        self.rate_ = static_cast<int>(info.sample_rate);
        self.channels_ = static_cast<int>(info.channels);
        self.bits_ = static_cast<int>(info.bits_per_sample);
        self.length_ = static_cast<std::int64_t>(info.total_samples);
        self.pending_.reserve(static_cast<std::size_t>(info.max_blocksize) * info.channels * 2);
    }

    static void error(const FLAC__StreamDecoder*, FLAC__StreamDecoderErrorStatus, void* data)
    {
        static_cast<FlacSource*>(data)->failed_ = true;
    }
};

FlacSource::FlacSource() : decoder_(FLAC__stream_decoder_new()) {}

FlacSource::~FlacSource()
{
    if (decoder_ != nullptr)
        FLAC__stream_decoder_delete(decoder_); // also finishes a running decode
}

std::unique_ptr<FlacSource> FlacSource::open(const TrackSource& source, bool in_ogg)
{
    std::unique_ptr<FlacSource> decoder(new FlacSource());
    if (decoder->decoder_ == nullptr || !decoder->start(source, in_ogg))
        return nullptr;
    return decoder;
}

bool FlacSource::start(const TrackSource& source, bool in_ogg)
{
    using C = Callbacks;
    FLAC__StreamDecoderInitStatus status = FLAC__STREAM_DECODER_INIT_STATUS_ERROR_OPENING_FILE;
    if (const auto* path = std::get_if<std::filesystem::path>(&source)) {
        const std::string name = library_file_name(*path);
        status = in_ogg ? FLAC__stream_decoder_init_ogg_file(decoder_, name.c_str(), C::write, C::metadata, C::error, this)
                        : FLAC__stream_decoder_init_file(decoder_, name.c_str(), C::write, C::metadata, C::error, this);
    } else {
        const auto bytes = std::get<ArchiveFile>(source).bytes;
        reader_.emplace(bytes);
        archive_size_ = static_cast<std::int64_t>(bytes.size());
        status = (in_ogg ? FLAC__stream_decoder_init_ogg_stream : FLAC__stream_decoder_init_stream)(
            decoder_, C::read, C::seek, C::tell, C::length, C::eof, C::write, C::metadata, C::error, this);
    }
    if (status != FLAC__STREAM_DECODER_INIT_STATUS_OK || !FLAC__stream_decoder_process_until_end_of_metadata(decoder_))
        return false;
    return !failed_ && length_ > 0 && rate_ > 0 && channels_ >= 1 && bits_ >= 4 && bits_ <= 32;
}

std::size_t FlacSource::read(std::span<float> interleaved)
{
    const auto width = static_cast<std::size_t>(channels_);
    const std::size_t wanted = interleaved.size() / width * width;
    std::size_t done = 0;
    while (done < wanted) {
        if (pending_offset_ == pending_.size()) {
            pending_.clear();
            pending_offset_ = 0;
            if (FLAC__stream_decoder_get_state(decoder_) == FLAC__STREAM_DECODER_END_OF_STREAM
                || !FLAC__stream_decoder_process_single(decoder_) || pending_.empty())
                break; // the end, or damaged data: the track ends here
        }
        const std::size_t count = std::min(wanted - done, pending_.size() - pending_offset_);
        std::memcpy(interleaved.data() + done, pending_.data() + pending_offset_, count * sizeof(float));
        pending_offset_ += count;
        done += count;
    }
    return done / width;
}

bool FlacSource::seek(std::int64_t frame)
{
    pending_.clear();
    pending_offset_ = 0;
    if (FLAC__stream_decoder_seek_absolute(decoder_, static_cast<FLAC__uint64>(frame)))
        return true;
    FLAC__stream_decoder_flush(decoder_); // a failed seek leaves the decoder needing a flush
    return false;
}
