// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/sndfile_encoder.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <stdexcept>

namespace {

// A growable in-memory file for libsndfile's virtual I/O.
struct MemoryFile {
    std::vector<std::uint8_t> bytes;
    sf_count_t offset = 0;
};

MemoryFile& file_of(void* user)
{
    return *static_cast<MemoryFile*>(user);
}

sf_count_t length(void* user)
{
    return static_cast<sf_count_t>(file_of(user).bytes.size());
}

sf_count_t seek(sf_count_t offset, int whence, void* user)
{
    MemoryFile& file = file_of(user);
    const sf_count_t base = whence == SEEK_CUR ? file.offset : whence == SEEK_END ? length(user) : 0;
    file.offset = std::max<sf_count_t>(0, base + offset);
    return file.offset;
}

sf_count_t read(void* out, sf_count_t count, void* user)
{
    MemoryFile& file = file_of(user);
    const sf_count_t available = std::max<sf_count_t>(0, length(user) - file.offset);
    const sf_count_t taken = std::min(count, available);
    if (taken > 0)
        std::memcpy(out, file.bytes.data() + file.offset, static_cast<std::size_t>(taken));
    file.offset += taken;
    return taken;
}

sf_count_t write(const void* in, sf_count_t count, void* user)
{
    MemoryFile& file = file_of(user);
    const auto end = static_cast<std::size_t>(file.offset + count);
    if (file.bytes.size() < end)
        file.bytes.resize(end);
    std::memcpy(file.bytes.data() + file.offset, in, static_cast<std::size_t>(count));
    file.offset += count;
    return count;
}

sf_count_t tell(void* user)
{
    return file_of(user).offset;
}

} // namespace

std::vector<float> sine_pcm(double hz, std::size_t frames, float amplitude)
{
    std::vector<float> pcm(2 * frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const auto value = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * hz * static_cast<double>(i) / 44100.0));
        pcm[2 * i] = value;
        pcm[2 * i + 1] = value;
    }
    return pcm;
}

std::vector<std::uint8_t> encode_pcm(std::span<const float> interleaved, EncodedFormat format)
{
    SF_VIRTUAL_IO io{length, seek, read, write, tell};
    MemoryFile file;
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = format == EncodedFormat::ogg_vorbis ? (SF_FORMAT_OGG | SF_FORMAT_VORBIS)
                                                      : (SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III);
    SNDFILE* sound = sf_open_virtual(&io, SFM_WRITE, &info, &file);
    if (sound == nullptr)
        throw std::runtime_error(std::string("libsndfile cannot encode: ") + sf_strerror(nullptr));
    double quality = 0.2; // 0 is the best; higher bit rates keep test tones clean
    sf_command(sound, SFC_SET_COMPRESSION_LEVEL, &quality, sizeof quality);
    // In blocks: libsndfile hands a whole write to the Vorbis encoder, which crashes on long ones.
    constexpr std::size_t block_frames = 4096;
    for (std::size_t frame = 0; frame < interleaved.size() / 2; frame += block_frames) {
        const std::size_t frames = std::min(block_frames, interleaved.size() / 2 - frame);
        sf_writef_float(sound, interleaved.data() + 2 * frame, static_cast<sf_count_t>(frames));
    }
    sf_close(sound);
    return std::move(file.bytes);
}
