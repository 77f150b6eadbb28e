// SPDX-License-Identifier: GPL-3.0-or-later
// Stand-in for libFuzzer where the build has none: replays every file of the seed folders
// named on the command line (the committed inputs, found faults among them), then a fixed
// set of small inputs (empty, every single byte, a few patterns). A folder that is missing
// or holds no file is an error, so a test cannot pass by replaying nothing.
// Usage: TARGET SEED_FOLDER...
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::uint8_t> read_file(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The files of `folder` in name order; empty when it has none or does not exist.
std::vector<std::filesystem::path> seeds_in(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

void replay_patterns()
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
}

} // namespace

int main(int argc, char** argv)
{
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const auto seeds = seeds_in(argv[i]);
        if (seeds.empty()) {
            std::cerr << "no seed files in " << argv[i] << '\n';
            return 2;
        }
        for (const auto& seed : seeds) {
            const auto bytes = read_file(seed);
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        }
        replayed += seeds.size();
    }
    replay_patterns();
    std::cout << "replayed " << replayed << " seed files and the fixed patterns\n";
    return 0;
}
