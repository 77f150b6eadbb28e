// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/mapped_file.h"

#include "base/file_open.h"

#include <utility>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, false)), copy_(std::move(other.copy_))
{
}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept
{
    if (this != &other) {
        unmap();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = std::exchange(other.mapped_, false);
        copy_ = std::move(other.copy_);
    }
    return *this;
}

MappedFile::~MappedFile()
{
    unmap();
}

void MappedFile::unmap()
{
#ifndef _WIN32
    if (mapped_)
        munmap(const_cast<std::uint8_t*>(data_), size_);
#endif
    mapped_ = false;
    data_ = nullptr;
    size_ = 0;
    copy_.clear();
}

#ifndef _WIN32

MappedFile MappedFile::open(const std::filesystem::path& path)
{
    MappedFile file;
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (descriptor < 0 || fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        if (descriptor >= 0)
            close(descriptor);
        throw Error{Error::cannot_open};
    }
    const auto size = static_cast<std::size_t>(status.st_size);
    if (size > 0) {
        void* mapping = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0);
        if (mapping == MAP_FAILED) {
            close(descriptor);
            throw Error{Error::cannot_read};
        }
        file.data_ = static_cast<const std::uint8_t*>(mapping);
        file.size_ = size;
        file.mapped_ = true;
    }
    close(descriptor); // the mapping keeps the file
    return file;
}

void MappedFile::release_pages(std::span<const std::uint8_t> part) const
{
    if (!mapped_ || part.empty())
        return;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = (reinterpret_cast<std::uintptr_t>(part.data()) + page - 1) / page * page;
    const auto end = (reinterpret_cast<std::uintptr_t>(part.data()) + part.size()) / page * page;
    if (end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED);
}

#else

MappedFile MappedFile::open(const std::filesystem::path& path)
{
    MappedFile file;
    std::error_code error;
    std::FILE* stream = std::filesystem::is_regular_file(path, error) ? open_for_reading(path) : nullptr;
    if (!stream)
        throw Error{Error::cannot_open};
    const auto size = std::filesystem::file_size(path, error);
    if (!error)
        file.copy_.resize(static_cast<std::size_t>(size));
    const bool whole = !error && std::fread(file.copy_.data(), 1, file.copy_.size(), stream) == file.copy_.size() &&
                       std::fgetc(stream) == EOF;
    std::fclose(stream);
    if (!whole)
        throw Error{Error::cannot_read};
    file.data_ = file.copy_.data();
    file.size_ = file.copy_.size();
    return file;
}

void MappedFile::release_pages(std::span<const std::uint8_t>) const
{
}

#endif
