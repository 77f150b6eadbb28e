// SPDX-License-Identifier: GPL-3.0-or-later
// decode_floor FILE...: decodes each MP3 or Ogg Vorbis file with the bare libraries (mpg123,
// libvorbisfile), as a plain command-line decoder would, and prints one line per file:
//   FILE audio_s=60.00 cpu_s=0.41 cpu_ms_per_audio_s=6.8
// cpu_s is this process's user + system time for the decoding alone. The floor against which
// scripts/bench-desktop compares the player's CPU while it plays.
#include <mpg123.h>
#include <vorbis/vorbisfile.h>

#include <sys/resource.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

double cpu_seconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Seconds of audio decoded, or a negative value when the file does not open.
double decode_mp3(const char* path)
{
    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    if (!handle || mpg123_open(handle, path) != MPG123_OK) {
        mpg123_delete(handle);
        return -1.0;
    }
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    mpg123_getformat(handle, &rate, &channels, &encoding);
    std::vector<unsigned char> buffer(16384);
    std::size_t total = 0;
    for (;;) {
        std::size_t done = 0;
        const int status = mpg123_read(handle, buffer.data(), buffer.size(), &done);
        total += done;
        if (status != MPG123_OK && status != MPG123_NEW_FORMAT)
            break;
    }
    mpg123_close(handle);
    mpg123_delete(handle);
    const double frame_bytes = channels * 2.0;
    return rate > 0 && channels > 0 ? static_cast<double>(total) / frame_bytes / static_cast<double>(rate) : -1.0;
}

double decode_ogg(const char* path)
{
    OggVorbis_File file;
    if (ov_fopen(path, &file) != 0)
        return -1.0;
    const vorbis_info* info = ov_info(&file, -1);
    std::vector<char> buffer(16384);
    long total = 0;
    int section = 0;
    for (;;) {
        const long done = ov_read(&file, buffer.data(), static_cast<int>(buffer.size()), 0, 2, 1, &section);
        if (done <= 0)
            break;
        total += done;
    }
    const double seconds = static_cast<double>(total) / (info->channels * 2.0) / static_cast<double>(info->rate);
    ov_clear(&file);
    return seconds;
}

bool ends_with(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: decode_floor FILE...\n");
        return 2;
    }
    mpg123_init();
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string path = argv[i];
        const double start = cpu_seconds();
        const double audio = ends_with(path, ".ogg") ? decode_ogg(argv[i]) : decode_mp3(argv[i]);
        const double cpu = cpu_seconds() - start;
        if (audio <= 0.0) {
            std::fprintf(stderr, "decode_floor: cannot decode %s\n", argv[i]);
            status = 1;
            continue;
        }
        std::printf("%s audio_s=%.2f cpu_s=%.3f cpu_ms_per_audio_s=%.2f\n", argv[i], audio, cpu, cpu * 1000.0 / audio);
    }
    mpg123_exit();
    return status;
}
