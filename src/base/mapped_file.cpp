// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/mapped_file.h"

#include <utility>

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
    if (mapped_)
        unmap_pages();
    mapped_ = false;
    data_ = nullptr;
    size_ = 0;
    copy_.clear();
}
