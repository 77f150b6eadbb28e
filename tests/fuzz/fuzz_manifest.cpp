// SPDX-License-Identifier: GPL-3.0-or-later
// The skin tool's TOML manifest reader over arbitrary text: it must give a manifest whose
// configuration the writer accepts, or throw an exception with a message, never crash, hang
// or read outside. Files named in the manifest are not read (parsing only takes their paths).
#include "skin-writer/config_writer.h"
#include "skin_manifest.h"

#include <cstdint>
#include <exception>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const SkinManifest manifest = parse_manifest(text, "fuzz.toml", "/nonexistent");
        write_config(manifest.config);
    } catch (const std::exception&) {
    }
    return 0;
}
