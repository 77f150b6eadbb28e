// SPDX-License-Identifier: GPL-3.0-or-later
// span_at: the element of a span at a 64-bit position that the caller has already checked to
// lie inside it. Offsets into files are computed in 64 bits, so that sums of values read from
// a file cannot wrap where size_t has 32 bits (i686); a position below size() fits in size_t.
// Plain function, any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

template <class T>
T& span_at(std::span<T> items, std::uint64_t at)
{
    return items[static_cast<std::size_t>(at)];
}
