// SPDX-License-Identifier: GPL-3.0-or-later
#include "packed_files.h"

#include <zlib.h>

#include <cstring>
#include <stdexcept>

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

std::uint32_t get16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    if (at + 2 > bytes.size())
        throw std::runtime_error("damaged zip: cut short");
    return bytes[at] | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

std::uint32_t get32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return get16(bytes, at) | get16(bytes, at + 2) << 16;
}

// Deflates `data`: raw (window bits -15) for zip, with the gzip wrapper (31) for .gz.
std::vector<std::uint8_t> deflated(std::span<const std::uint8_t> data, int window_bits)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, window_bits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("can't start compressing");
    std::vector<std::uint8_t> out(deflateBound(&stream, static_cast<uLong>(data.size())));
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        throw std::runtime_error("can't compress");
    return out;
}

std::vector<std::uint8_t> inflated(std::span<const std::uint8_t> data, std::size_t size)
{
    constexpr std::size_t largest = std::size_t{1} << 30;
    if (size > largest)
        throw std::runtime_error("zip: a file of more than 1 GiB");
    std::vector<std::uint8_t> out(size);
    z_stream stream{};
    if (inflateInit2(&stream, -15) != Z_OK)
        throw std::runtime_error("can't start decompressing");
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    if (result != Z_STREAM_END || stream.total_out != size)
        throw std::runtime_error("damaged zip: a file does not decompress");
    return out;
}

std::uint32_t crc_of(std::span<const std::uint8_t> data)
{
    return static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0), data.data(), static_cast<uInt>(data.size())));
}

// A ustar header field of `size` bytes: octal digits, then a 0 byte.
void octal(std::uint8_t* field, std::size_t size, std::uint64_t value)
{
    for (std::size_t i = size - 1; i-- > 0; value >>= 3)
        field[i] = static_cast<std::uint8_t>('0' + (value & 7));
}

} // namespace

std::vector<std::uint8_t> zip_archive(std::span<const PackedFile> files)
{
    std::vector<std::uint8_t> out, directory;
    constexpr std::uint32_t dos_date = (2020 - 1980) << 9 | 1 << 5 | 1; // 1 January 2020, 00:00
    for (const PackedFile& file : files) {
        if (file.data.size() > 0xFFFFFFFEu || out.size() > 0xFFFFFFFEu)
            throw std::runtime_error("too large for a zip: " + file.name);
        const std::vector<std::uint8_t> body = deflated(file.data, -15);
        const std::uint32_t crc = crc_of(file.data), offset = static_cast<std::uint32_t>(out.size());
        const auto header = [&](std::vector<std::uint8_t>& to, bool central) {
            put32(to, central ? 0x02014b50 : 0x04034b50);
            if (central)
                put16(to, 3 << 8 | 20); // made on Unix, zip 2.0
            put16(to, 20);
            put16(to, 1 << 11);         // names in UTF-8
            put16(to, 8);               // deflate
            put32(to, dos_date << 16);
            put32(to, crc);
            put32(to, static_cast<std::uint32_t>(body.size()));
            put32(to, static_cast<std::uint32_t>(file.data.size()));
            put16(to, static_cast<std::uint32_t>(file.name.size()));
            put16(to, 0);
            if (central) {
                put16(to, 0);
                put16(to, 0);
                put16(to, 0);
                put32(to, (file.executable ? 0100755u : 0100644u) << 16);
                put32(to, offset);
            }
            to.insert(to.end(), file.name.begin(), file.name.end());
        };
        header(out, false);
        out.insert(out.end(), body.begin(), body.end());
        header(directory, true);
    }
    const auto directory_offset = static_cast<std::uint32_t>(out.size());
    out.insert(out.end(), directory.begin(), directory.end());
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<std::uint32_t>(files.size()));
    put16(out, static_cast<std::uint32_t>(files.size()));
    put32(out, static_cast<std::uint32_t>(directory.size()));
    put32(out, directory_offset);
    put16(out, 0);
    return out;
}

std::vector<std::uint8_t> tar_gz_archive(std::span<const PackedFile> files)
{
    std::vector<std::uint8_t> tar;
    for (const PackedFile& file : files) {
        std::uint8_t header[512] = {};
        if (file.name.size() > 100)
            throw std::runtime_error("name too long for a tar: " + file.name);
        std::memcpy(header, file.name.data(), file.name.size());
        octal(header + 100, 8, file.executable ? 0755 : 0644);
        octal(header + 108, 8, 0);
        octal(header + 116, 8, 0);
        octal(header + 124, 12, file.data.size());
        octal(header + 136, 12, 1577836800); // 1 January 2020
        header[156] = '0';
        std::memcpy(header + 257, "ustar", 6);
        std::memcpy(header + 263, "00", 2);
        std::memset(header + 148, ' ', 8);
        std::uint32_t sum = 0;
        for (const std::uint8_t byte : header)
            sum += byte;
        octal(header + 148, 7, sum);
        tar.insert(tar.end(), header, header + 512);
        tar.insert(tar.end(), file.data.begin(), file.data.end());
        tar.resize((tar.size() + 511) / 512 * 512, 0);
    }
    tar.resize(tar.size() + 1024, 0);
    return deflated(tar, 15 + 16);
}

std::optional<std::vector<std::uint8_t>> file_in_zip(std::span<const std::uint8_t> zip, std::string_view file_name)
{
    // The end record is in the last 64 KiB + 22 bytes.
    std::size_t end = zip.size() < 22 ? std::string::npos : zip.size() - 22;
    const std::size_t lowest = zip.size() > 65557 ? zip.size() - 65557 : 0;
    while (end != std::string::npos && end >= lowest && get32(zip, end) != 0x06054b50)
        end = end == 0 ? std::string::npos : end - 1;
    if (end == std::string::npos || end < lowest)
        throw std::runtime_error("not a zip: no end of central directory");
    const std::uint32_t count = get16(zip, end + 10);
    std::size_t at = get32(zip, end + 16);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (get32(zip, at) != 0x02014b50)
            throw std::runtime_error("damaged zip: bad central directory");
        const std::uint32_t method = get16(zip, at + 10), packed = get32(zip, at + 20), size = get32(zip, at + 24);
        const std::uint32_t name_length = get16(zip, at + 28), extra = get16(zip, at + 30), comment = get16(zip, at + 32);
        const std::uint32_t local = get32(zip, at + 42);
        if (at + 46 + name_length > zip.size())
            throw std::runtime_error("damaged zip: cut short");
        const std::string_view name(reinterpret_cast<const char*>(zip.data() + at + 46), name_length);
        at += 46 + name_length + extra + comment;
        if (name != file_name && !(name.size() > file_name.size() && name.ends_with(file_name) &&
                                   name[name.size() - file_name.size() - 1] == '/'))
            continue;
        const std::size_t data = local + 30 + get16(zip, local + 26) + get16(zip, local + 28);
        if (get32(zip, local) != 0x04034b50 || data + packed > zip.size())
            throw std::runtime_error("damaged zip: bad local header");
        const auto body = zip.subspan(data, packed);
        if (method == 0)
            return std::vector<std::uint8_t>(body.begin(), body.end());
        if (method == 8)
            return inflated(body, size);
        throw std::runtime_error("zip: " + std::string(name) + " is compressed in a way this tool does not read");
    }
    return std::nullopt;
}
