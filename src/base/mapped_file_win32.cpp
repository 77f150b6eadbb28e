// SPDX-License-Identifier: GPL-3.0-or-later
// MappedFile on Windows: the file is read whole into memory.
#include "base/mapped_file.h"

#include "base/file_open.h"

void MappedFile::unmap_pages() const
{
}

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
