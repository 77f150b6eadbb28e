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
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("can't write " + path.string());
}
