// SPDX-License-Identifier: GPL-3.0-or-later
// CPU time to render 60 s of a tracker module, an MP3 and an Ogg Vorbis file through the
// engine and its mixer (headless device, 1,024-frame pulls), each beside a bare loop that
// decodes the same file with the same library; the same for a 48 kHz Ogg Vorbis and an Opus
// file made by oggenc and opusenc (the engine converts their rate with libsoxr) and for a
// FLAC file; and the cost of one get_spectrum call.
#include "audio/audio_engine.h"
#include "media/sndfile_encoder.h"
#include "media/xm_writer.h"
#include "platform/headless/headless_audio_device.h"
#include "real_encoders.h"
#include "recording_sink.h"
#include "temp_dir.h"

#include <benchmark/benchmark.h>
#include <libopenmpt/libopenmpt.h>
#include <mpg123.h>
#include <opusfile.h>
#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::size_t frames_60s = 60 * 44100;
constexpr std::size_t pull_frames = 1024;

// Three tones and a little noise, 60 s, so the encoders have something to work on.
std::vector<float> music_pcm()
{
    std::vector<float> pcm(2 * frames_60s);
    std::uint32_t noise = 1;
    for (std::size_t i = 0; i < frames_60s; ++i) {
        const double t = static_cast<double>(i) / 44100.0;
        noise = noise * 1664525u + 1013904223u;
        const double value = 0.2 * std::sin(2 * std::numbers::pi * 220.0 * t) + 0.15 * std::sin(2 * std::numbers::pi * 331.0 * t)
            + 0.1 * std::sin(2 * std::numbers::pi * 1250.0 * t) + 0.05 * (static_cast<double>(noise >> 8) / 16777216.0 - 0.5);
        pcm[2 * i] = static_cast<float>(value);
        pcm[2 * i + 1] = static_cast<float>(value * 0.8);
    }
    return pcm;
}

struct BenchFiles {
    TempDir dir;
    std::filesystem::path xm;
    std::filesystem::path mp3;
    std::filesystem::path ogg;
    std::optional<std::filesystem::path> ogg_48k; // made by the real encoders, when installed
    std::optional<std::filesystem::path> opus;
    std::optional<std::filesystem::path> flac;

    BenchFiles()
    {
        const SineSpec sine_48k{.rate = 48000, .frames = 60 * 48000};
        if (have_program("oggenc"))
            ogg_48k = encode_sine(dir, "bench-48k.ogg", RealEncoder::oggenc, sine_48k);
        if (have_program("opusenc"))
            opus = encode_sine(dir, "bench.opus", RealEncoder::opusenc, sine_48k);
        if (have_program("flac"))
            flac = encode_sine(dir, "bench.flac", RealEncoder::flac, SineSpec{.frames = 60 * 44100});
        const auto pcm = music_pcm();
        xm = dir.write("bench.xm", make_xm(XmSong{.orders = 32, .rows = 64, .channels = 8, .note_every_rows = 4}));
        mp3 = dir.write("bench.mp3", encode_pcm(pcm, EncodedFormat::mp3));
        ogg = dir.write("bench.ogg", encode_pcm(pcm, EncodedFormat::ogg_vorbis));
    }
};

const BenchFiles& files()
{
    static const BenchFiles made;
    return made;
}

void engine_render(benchmark::State& state, const std::filesystem::path& path)
{
    RecordingSink sink;
    DataArchive archive;
    for (auto _ : state) {
        AudioEngine engine{sink, archive};
        Tracklists lists;
        lists.add_playlist_track("bench", path.string());
        engine.use_tracklists(std::move(lists));
        engine.toggle_repeat();
        engine.play_current();
        HeadlessAudioDevice device;
        device.open(engine);
        for (std::size_t done = 0; done < frames_60s; done += pull_frames)
            benchmark::DoNotOptimize(device.render(pull_frames).data());
    }
}

void bare_openmpt(benchmark::State& state)
{
    std::ifstream in(files().xm, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<float> buffer(2 * pull_frames);
    for (auto _ : state) {
        openmpt_module* module = openmpt_module_create_from_memory2(bytes.data(), bytes.size(), nullptr, nullptr,
            nullptr, nullptr, nullptr, nullptr, nullptr);
        for (std::size_t done = 0; done < frames_60s;) {
            const std::size_t got = openmpt_module_read_interleaved_float_stereo(module, 44100, pull_frames, buffer.data());
            done += got;
            if (got == 0)
                openmpt_module_set_position_order_row(module, 0, 0);
        }
        benchmark::DoNotOptimize(buffer.data());
        openmpt_module_destroy(module);
    }
}

void bare_mpg123(benchmark::State& state)
{
    std::vector<float> buffer(2 * pull_frames);
    for (auto _ : state) {
        mpg123_handle* handle = mpg123_new(nullptr, nullptr);
        mpg123_format_none(handle);
        mpg123_format(handle, 44100, MPG123_STEREO, MPG123_ENC_FLOAT_32);
        mpg123_open(handle, files().mp3.c_str());
        long rate = 0;
        int channels = 0;
        int encoding = 0;
        mpg123_getformat(handle, &rate, &channels, &encoding);
        std::size_t done_bytes = 0;
        while (done_bytes < frames_60s * 8) {
            size_t got = 0;
            if (mpg123_read(handle, reinterpret_cast<unsigned char*>(buffer.data()), buffer.size() * 4, &got) != MPG123_OK)
                mpg123_seek(handle, 0, SEEK_SET);
            done_bytes += got;
        }
        benchmark::DoNotOptimize(buffer.data());
        mpg123_delete(handle);
    }
}

void bare_vorbisfile_of(benchmark::State& state, const std::filesystem::path& path, std::size_t frames)
{
    for (auto _ : state) {
        OggVorbis_File file;
        ov_fopen(path.c_str(), &file);
        std::size_t done = 0;
        while (done < frames) {
            float** pcm = nullptr;
            int link = 0;
            const long got = ov_read_float(&file, &pcm, static_cast<int>(pull_frames), &link);
            if (got <= 0)
                ov_pcm_seek(&file, 0);
            else
                done += static_cast<std::size_t>(got);
            benchmark::DoNotOptimize(pcm);
        }
        ov_clear(&file);
    }
}

void bare_vorbisfile(benchmark::State& state) { bare_vorbisfile_of(state, files().ogg, frames_60s); }

void bare_vorbisfile_48k(benchmark::State& state)
{
    if (!files().ogg_48k)
        return state.SkipWithError("oggenc is not installed");
    bare_vorbisfile_of(state, *files().ogg_48k, 60 * 48000);
}

void bare_opusfile(benchmark::State& state)
{
    if (!files().opus)
        return state.SkipWithError("opusenc is not installed");
    std::vector<float> buffer(2 * pull_frames);
    for (auto _ : state) {
        OggOpusFile* file = op_open_file(files().opus->c_str(), nullptr);
        for (std::size_t done = 0; done < 60 * 48000;) {
            const int got = op_read_float_stereo(file, buffer.data(), static_cast<int>(buffer.size()));
            if (got <= 0)
                op_pcm_seek(file, 0);
            else
                done += static_cast<std::size_t>(got);
        }
        benchmark::DoNotOptimize(buffer.data());
        op_free(file);
    }
}

void engine_render_made(benchmark::State& state, std::optional<std::filesystem::path> BenchFiles::*file)
{
    const auto& path = files().*file;
    if (!path)
        return state.SkipWithError("the encoder is not installed");
    engine_render(state, *path);
}

void engine_xm(benchmark::State& state) { engine_render(state, files().xm); }
void engine_mp3(benchmark::State& state) { engine_render(state, files().mp3); }
void engine_ogg(benchmark::State& state) { engine_render(state, files().ogg); }

BENCHMARK(bare_openmpt)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(engine_xm)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(bare_mpg123)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(engine_mp3)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(bare_vorbisfile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(engine_ogg)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(bare_vorbisfile_48k)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(engine_render_made, ogg_48k, &BenchFiles::ogg_48k)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(bare_opusfile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(engine_render_made, opus, &BenchFiles::opus)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(engine_render_made, flac, &BenchFiles::flac)->Unit(benchmark::kMillisecond)->Iterations(3);

void get_spectrum(benchmark::State& state)
{
    RecordingSink sink;
    DataArchive archive;
    AudioEngine engine{sink, archive};
    Tracklists lists;
    lists.add_playlist_track("bench", files().ogg.string());
    engine.use_tracklists(std::move(lists));
    engine.play_current();
    HeadlessAudioDevice device;
    device.open(engine);
    device.render(4096);
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.get_spectrum().data());
}
BENCHMARK(get_spectrum)->Unit(benchmark::kMicrosecond);

} // namespace
