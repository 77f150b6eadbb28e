// SPDX-License-Identifier: GPL-3.0-or-later
// The whole skin load over arbitrary configuration bytes, as the player and `tarnel-skin
// check` run it (headless): every chunk's action, page building, images, texts, fonts and
// plug-in lookups. It must end with the skin loaded or with an error text, never crash or
// read outside. A small archive with a mask, a picture, a knob and a text sits beside it, with
// art at twice the size for two pictures (one of the wrong size), loaded on a window of scale
// 2 as well; an odd first byte puts a valid root header (600 × 510) in front of the rest so the
// fuzzer reaches the chunks quickly. The skin folder is removed when the process exits.
#include "app/player.h"
#include "base/skin_error.h"
#include "byte_builder.h"
#include "platform/headless/headless_platform.h"
#include "temp_dir.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

void write_file(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A `side` × `side` 24-bit bitmap (`side` even, so rows need no padding).
std::vector<std::uint8_t> tiny_bmp(std::int32_t side = 2)
{
    const auto pixel_bytes = static_cast<std::uint32_t>(side * side * 3);
    ByteBuilder bmp;
    bmp.text("BM").u32(54 + pixel_bytes).u32(0).u32(54).u32(40).i32(side).i32(side).u16(1).u16(24).u32(0).u32(pixel_bytes);
    bmp.u32(0).u32(0).u32(0).u32(0);
    bmp.fill(pixel_bytes, 0x80);
    return bmp.take();
}

// The skin folder, made once per process: the archive stays, tarnel.cfg is rewritten.
const std::filesystem::path& skin_dir()
{
    static const TempDir dir;
    static const bool archive_written = [] {
        ByteBuilder archive;
        archive_entry(archive, "Data\\panel.rgn", std::string(600, '\0'));
        const auto bmp = tiny_bmp();
        for (const char* name : {"Data\\a.bmp", "Data\\dzien.bmp", "a.bmp", ""})
            archive.string(name).u32(static_cast<std::uint32_t>(bmp.size())).raw(bmp);
        const auto twice = tiny_bmp(4);
        archive.string("Data\\a@2x.bmp").u32(static_cast<std::uint32_t>(twice.size())).raw(twice);
        archive.string("Data\\dzien@2x.bmp").u32(static_cast<std::uint32_t>(bmp.size())).raw(bmp);
        archive_entry(archive, "Data\\t.txt", "a few words to wrap across the lines of a text browser\nand more");
        archive_entry(archive, "t", "text");
        dir.write("tarnel.dat", archive.take());
        return true;
    }();
    static_cast<void>(archive_written);
    return dir.path();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ByteBuilder config;
    if (size > 0 && data[0] % 2 == 1) {
        config.u16(0x0258).u32(0xFFFFFFFF).string("t").u16(600).u16(510);
        ++data;
        --size;
    }
    config.raw({data, size});
    write_file(skin_dir() / "tarnel.cfg", config.take());
    for (const auto& [layered, scale] : {std::pair{false, 1}, std::pair{true, 1}, std::pair{false, 2}}) {
        HeadlessPlatform platform(layered, Rect{0, 0, 1024, 768}, scale);
        try {
            Player(platform, skin_dir()).load_skin();
        } catch (const SkinError&) {
        }
    }
    return 0;
}
