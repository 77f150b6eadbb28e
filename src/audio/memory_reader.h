// SPDX-License-Identifier: GPL-3.0-or-later
// MemoryReader: a read cursor over a byte view, for the decoding libraries' reader
// callbacks when a track is played straight from the archive image (no copy).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <span>

class MemoryReader {
public:
    explicit MemoryReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    // Copies up to `size` bytes to `out`; returns how many.
    std::size_t read(void* out, std::size_t size)
    {
        const std::size_t count = std::min(size, bytes_.size() - offset_);
        if (count > 0)
            std::memcpy(out, bytes_.data() + offset_, count);
        offset_ += count;
        return count;
    }

    // fseek-style move; returns the new offset, or -1 (and stays) when it would leave the view.
    std::int64_t seek(std::int64_t offset, int whence)
    {
        std::int64_t base = 0;
        if (whence == SEEK_CUR)
            base = static_cast<std::int64_t>(offset_);
        else if (whence == SEEK_END)
            base = static_cast<std::int64_t>(bytes_.size());
        else if (whence != SEEK_SET)
            return -1;
        const std::int64_t target = base + offset;
        if (target < 0 || target > static_cast<std::int64_t>(bytes_.size()))
            return -1;
        offset_ = static_cast<std::size_t>(target);
        return target;
    }

    std::int64_t tell() const { return static_cast<std::int64_t>(offset_); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t offset_ = 0;
};
