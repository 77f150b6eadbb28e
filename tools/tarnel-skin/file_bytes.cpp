// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_bytes.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

std::vector<std::uint8_t> read_file_bytes(const std::filesystem::path& path)
{
    std::error_code error;
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path, error))
        throw std::runtime_error("can't open " + path.string());
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw std::runtime_error("can't read " + path.string());
    return bytes;
}

void write_file_bytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    // Written beside and renamed over the old file: a player that has the old one mapped
    // keeps reading it whole, and no reader ever sees half a file.
    std::filesystem::path partial = path;
    partial += ".partial";
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    std::error_code error;
    if (out)
        std::filesystem::rename(partial, path, error);
    if (!out || error) {
        std::filesystem::remove(partial, error);
        throw std::runtime_error("can't write " + path.string());
    }
}
