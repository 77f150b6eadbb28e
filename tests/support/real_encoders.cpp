// SPDX-License-Identifier: GPL-3.0-or-later
#include "real_encoders.h"

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <sstream>
#include <string_view>
#include <vector>

namespace {

void put_le(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// 16-bit PCM WAVE; more than two channels use the extensible header with the usual
// speaker mask, as the encoders ask for it.
std::vector<std::uint8_t> wave_of(const SineSpec& sine)
{
    const auto channels = static_cast<std::uint32_t>(sine.channels);
    const auto data_bytes = static_cast<std::uint32_t>(sine.frames) * channels * 2;
    const bool extensible = channels > 2;
    const std::uint32_t format_bytes = extensible ? 40 : 16;
    std::vector<std::uint8_t> out;
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    put_le(out, 4 + 8 + format_bytes + 8 + data_bytes, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put_le(out, format_bytes, 4);
    put_le(out, extensible ? 0xFFFE : 1, 2);
    put_le(out, channels, 2);
    put_le(out, static_cast<std::uint32_t>(sine.rate), 4);
    put_le(out, static_cast<std::uint32_t>(sine.rate) * channels * 2, 4);
    put_le(out, channels * 2, 2);
    put_le(out, 16, 2);
    if (extensible) {
        constexpr std::uint32_t masks[] = {0, 0x4, 0x3, 0x7, 0x33, 0x37, 0x3F, 0x13F, 0x63F};
        put_le(out, 22, 2);
        put_le(out, 16, 2);
        put_le(out, channels < 9 ? masks[channels] : 0, 4);
        out.insert(out.end(), {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71});
    }
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put_le(out, data_bytes, 4);
    for (std::int64_t f = 0; f < sine.frames; ++f) {
        const double t = static_cast<double>(sine.first + f) / sine.rate;
        const auto value = static_cast<std::int16_t>(std::lround(32767 * sine.amplitude * std::sin(2 * std::numbers::pi * sine.hz * t)));
        for (std::uint32_t c = 0; c < channels; ++c)
            put_le(out, static_cast<std::uint16_t>(value), 2);
    }
    return out;
}

std::string quoted(const std::filesystem::path& path)
{
    return "'" + path.string() + "'";
}

} // namespace

const char* program_of(RealEncoder encoder)
{
    switch (encoder) {
    case RealEncoder::lame: return "lame";
    case RealEncoder::oggenc: return "oggenc";
    case RealEncoder::flac: return "flac";
    case RealEncoder::opusenc: return "opusenc";
    }
    return "";
}

bool have_program(const char* program)
{
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (!folder.empty() && std::filesystem::exists(std::filesystem::path(folder) / program))
            return true;
    }
    return false;
}

std::optional<std::filesystem::path> encode_sine(
    const TempDir& dir, const std::string& name, RealEncoder encoder, const SineSpec& sine)
{
    const auto wave = dir.write(name + ".source.wav", wave_of(sine));
    const auto out = dir.path() / name;
    std::string command;
    switch (encoder) {
    case RealEncoder::lame:
        command = "lame --quiet -b 192 --tt Title --ta Artist --add-id3v2 " + quoted(wave) + " " + quoted(out);
        break;
    case RealEncoder::oggenc:
        command = "oggenc -Q -q 5 -c TITLE=Title -c ARTIST=Artist -o " + quoted(out) + " " + quoted(wave);
        break;
    case RealEncoder::flac:
        command = "flac -s -f -T TITLE=Title -o " + quoted(out) + " " + quoted(wave);
        break;
    case RealEncoder::opusenc:
        command = "opusenc --quiet --title Title " + quoted(wave) + " " + quoted(out);
        break;
    }
    const int status = std::system((command + " 2>/dev/null").c_str());
    std::filesystem::remove(wave);
    if (status != 0 || !std::filesystem::exists(out))
        return std::nullopt;
    return out;
}
