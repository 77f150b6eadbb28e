// SPDX-License-Identifier: GPL-3.0-or-later
// Stand-in for libFuzzer where the compiler has none: feeds the target a fixed set of
// small inputs (empty, every single byte, a few patterns), so the target is exercised
// by every build's test run; the clang build runs the real fuzzer.
#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main()
{
    LLVMFuzzerTestOneInput(nullptr, 0);
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<std::uint8_t>(b);
        LLVMFuzzerTestOneInput(&byte, 1);
    }
    for (std::size_t length : {2u, 7u, 64u, 4096u}) {
        std::vector<std::uint8_t> zeros(length, 0), ones(length, 0xFF), ramp(length);
        for (std::size_t i = 0; i < length; ++i)
            ramp[i] = static_cast<std::uint8_t>(i * 37 + 11);
        LLVMFuzzerTestOneInput(zeros.data(), zeros.size());
        LLVMFuzzerTestOneInput(ones.data(), ones.size());
        LLVMFuzzerTestOneInput(ramp.data(), ramp.size());
    }
    return 0;
}
