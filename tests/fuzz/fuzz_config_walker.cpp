// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration walker over arbitrary bytes: it must end, never read outside the input,
// and hand over chunks at strictly increasing offsets. An odd first byte puts a valid root
// header with the largest length in front of the rest, so the fuzzer reaches the chunks
// quickly; an even one walks the rest as it is.
#include "base/skin_error.h"
#include "config/config_walker.h"

#include <cstdint>
#include <vector>

namespace {

class Checker : public ConfigVisitor {
public:
    explicit Checker(std::size_t size) : size_(size) {}

    void chunk_read(const ChunkRecord& chunk) override
    {
        if (chunks_ > 0 && chunk.offset <= last_offset_)
            __builtin_trap();
        if (++chunks_ > size_ / 6 + 1)
            __builtin_trap();
        last_offset_ = chunk.offset;
        for (const FieldValue& value : chunk.values.fields)
            if (const auto* text = std::get_if<std::string>(&value))
                if (text->size() > size_)
                    __builtin_trap();
    }
    void chunk_accepted(const ChunkRecord&) override {}

private:
    std::size_t size_;
    std::size_t chunks_ = 0;
    std::uint64_t last_offset_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> bytes;
    if (size > 0 && data[0] % 2 == 1)
        bytes = {0x58, 0x02, 0xFF, 0xFF, 0xFF, 0xFF};
    if (size > 1)
        bytes.insert(bytes.end(), data + 1, data + size);
    Checker checker(bytes.size());
    try {
        walk_config(bytes, checker);
    } catch (const SkinError&) {
    }
    return 0;
}
