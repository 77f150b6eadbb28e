// SPDX-License-Identifier: GPL-3.0-or-later
// MappedFile: the bytes of a file, read-only, for as long as the object lives. On POSIX
// systems (mapped_file_posix.cpp) the file is mapped: its pages are read when first touched,
// and release_pages() gives them back (they are read again from the file when touched later),
// so a large file costs memory only for what is in use. On Windows (mapped_file_win32.cpp) it
// is read whole into memory.
//
// A mapped file must not be shortened while it is mapped (reading the lost part would end the
// process); the skin tools replace files by renaming a new one over them, which is safe.
// Moves only. Threads: bytes() and release_pages() from any thread (a released page that is
// read again is read from the file again).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

class MappedFile {
public:
    // Why a file could not be had: cannot_open when it does not exist, is not a regular file
    // or cannot be opened; cannot_read when its contents cannot be read or mapped.
    struct Error {
        enum Kind { cannot_open, cannot_read } kind;
    };

    MappedFile() = default;
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    // The regular file at `path`. Throws Error.
    static MappedFile open(const std::filesystem::path& path);

    std::span<const std::uint8_t> bytes() const { return {data_, size_}; }
    // Gives back the memory of the whole pages inside `part` (a part of bytes()).
    void release_pages(std::span<const std::uint8_t> part) const;

private:
    void unmap();
    // Ends the mapping of data_ (per system; files read whole are never mapped).
    void unmap_pages() const;

    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    bool mapped_ = false;
    std::vector<std::uint8_t> copy_; // where the file is read rather than mapped
};
