// SPDX-License-Identifier: GPL-3.0-or-later
// Archive lookups over arbitrary images: the first bytes choose the looked-up name, the
// rest is the image. Lookups must find or throw, never read outside the image.
#include "archive/data_archive.h"
#include "base/skin_error.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::size_t name_length = size > 0 ? data[0] % 16 : 0;
    const std::size_t split = std::min(size, 1 + name_length);
    const std::string name(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0), split > 0 ? split - 1 : 0);
    DataArchive archive;
    archive.load_image(std::vector<std::uint8_t>(data + split, data + size));
    for (const std::string& key : {name, std::string(), std::string("Data\\panel.rgn")}) {
        try {
            const auto file = archive.find_file(key);
            const auto image = archive.image();
            if (file.data() < image.data() || file.data() + file.size() > image.data() + image.size())
                __builtin_trap();
        } catch (const SkinError&) {
        }
    }
    return 0;
}
