// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/track_kind_probe.h"

#include <libopenmpt/libopenmpt.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

TrackKind kind_from_extension(std::string_view path)
{
    const auto name = path.substr(path.find_last_of("/\\") + 1); // npos + 1 == 0: the whole path
    const auto dot = name.find_last_of('.');
    if (dot == std::string_view::npos)
        return TrackKind::none;
    const std::string extension = lower(std::string(name.substr(dot + 1)));
    constexpr std::array<std::string_view, 6> streams{"mp3", "mp2", "ogg", "oga", "opus", "flac"};
    if (std::find(streams.begin(), streams.end(), extension) != streams.end())
        return TrackKind::stream;
    if (!extension.empty() && openmpt_is_extension_supported(extension.c_str()) != 0)
        return TrackKind::module;
    return TrackKind::none;
}

// An MPEG audio frame header: 11 sync bits, a defined version and layer, a bit rate index
// other than "bad" and a sample rate index other than "reserved".
bool is_mpeg_frame(const std::vector<unsigned char>& head)
{
    return head.size() >= 4 && head[0] == 0xFF && (head[1] & 0xE0) == 0xE0 && (head[1] & 0x18) != 0x08
        && (head[1] & 0x06) != 0 && (head[2] & 0xF0) != 0xF0 && (head[2] & 0x0C) != 0x0C;
}

bool starts_with(const std::vector<unsigned char>& head, std::string_view signature)
{
    return head.size() >= signature.size() && std::equal(signature.begin(), signature.end(), head.begin(),
                                                  [](char a, unsigned char b) { return static_cast<unsigned char>(a) == b; });
}

TrackKind kind_from_content(std::string_view path)
{
    std::ifstream file{std::filesystem::path(path), std::ios::binary};
    if (!file)
        return TrackKind::none;
    std::vector<unsigned char> head(openmpt_probe_file_header_get_recommended_size());
    file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(file.gcount()));
    if (starts_with(head, "OggS") || starts_with(head, "fLaC") || starts_with(head, "ID3"))
        return TrackKind::stream;
    std::error_code error;
    const auto size = std::filesystem::file_size(std::filesystem::path(path), error);
    const int probed = openmpt_probe_file_header(OPENMPT_PROBE_FILE_HEADER_FLAGS_DEFAULT, head.data(), head.size(),
        error ? 0 : size, openmpt_log_func_silent, nullptr, openmpt_error_func_ignore, nullptr, nullptr, nullptr);
    if (probed == OPENMPT_PROBE_FILE_HEADER_RESULT_SUCCESS)
        return TrackKind::module;
    return is_mpeg_frame(head) ? TrackKind::stream : TrackKind::none;
}

} // namespace

TrackKind playlist_track_kind(std::string_view path)
{
    const TrackKind by_name = kind_from_extension(path);
    return by_name != TrackKind::none ? by_name : kind_from_content(path);
}
