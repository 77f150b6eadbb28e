// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/module_decoder.h"

#include "base/file_open.h"
#include "platform/audio_device.h"

#include <libopenmpt/libopenmpt.h>
#include <libopenmpt/libopenmpt_stream_callbacks_file.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

// "stop": once the song has ended, further reads return nothing until a new position is set.
constexpr openmpt_module_initial_ctl initial_ctls[] = {
    {"play.at_end", "stop"},
    {nullptr, nullptr},
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

openmpt_module* load(const std::filesystem::path& path)
{
    std::unique_ptr<std::FILE, FileCloser> file(open_for_reading(path));
    if (!file)
        return nullptr;
    // libopenmpt reads the whole module while creating it, so the file can close afterwards.
    return openmpt_module_create2(openmpt_stream_get_file_callbacks(), file.get(), openmpt_log_func_silent,
        nullptr, openmpt_error_func_ignore, nullptr, nullptr, nullptr, initial_ctls);
}

openmpt_module* load(const ArchiveFile& view)
{
    return openmpt_module_create_from_memory2(view.data(), view.size(), openmpt_log_func_silent, nullptr,
        openmpt_error_func_ignore, nullptr, nullptr, nullptr, initial_ctls);
}

} // namespace

std::unique_ptr<ModuleDecoder> ModuleDecoder::open(const TrackSource& source)
{
    openmpt_module* module = std::visit([](const auto& from) { return load(from); }, source);
    if (module == nullptr)
        return nullptr;
    if (openmpt_module_get_num_orders(module) <= 0) {
        openmpt_module_destroy(module);
        return nullptr;
    }
    return std::unique_ptr<ModuleDecoder>(new ModuleDecoder(module));
}

ModuleDecoder::~ModuleDecoder()
{
    openmpt_module_destroy(module_);
}

std::size_t ModuleDecoder::read(std::span<float> interleaved)
{
    std::size_t done = 0;
    const std::size_t frames = interleaved.size() / 2;
    while (done < frames) {
        const std::size_t got = openmpt_module_read_interleaved_float_stereo(
            module_, AudioDevice::sample_rate, frames - done, interleaved.data() + 2 * done);
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

std::int64_t ModuleDecoder::position() const
{
    return openmpt_module_get_current_order(module_);
}

void ModuleDecoder::set_position(std::int64_t order)
{
    const auto clamped = static_cast<std::int32_t>(std::clamp<std::int64_t>(order, 0, length()));
    openmpt_module_set_position_order_row(module_, clamped, 0);
}

std::int64_t ModuleDecoder::length() const
{
    return openmpt_module_get_num_orders(module_) - 1;
}

namespace {

std::int64_t microseconds(double seconds)
{
    return std::isfinite(seconds) && seconds > 0.0 ? std::llround(seconds * 1e6) : 0;
}

} // namespace

std::int64_t ModuleDecoder::time_us() const
{
    return microseconds(openmpt_module_get_position_seconds(module_));
}

std::int64_t ModuleDecoder::duration_us() const
{
    return microseconds(openmpt_module_get_duration_seconds(module_));
}

void ModuleDecoder::set_time_us(std::int64_t time_us)
{
    const double seconds = static_cast<double>(std::clamp<std::int64_t>(time_us, 0, duration_us())) / 1e6;
    openmpt_module_set_position_seconds(module_, seconds);
}
