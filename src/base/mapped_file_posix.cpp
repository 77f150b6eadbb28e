// SPDX-License-Identifier: GPL-3.0-or-later
// MappedFile on POSIX systems: the file is mapped.
#include "base/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

void MappedFile::unmap_pages() const
{
    munmap(const_cast<std::uint8_t*>(data_), size_);
}

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
