// SPDX-License-Identifier: GPL-3.0-or-later
// The whole skin load over arbitrary configuration bytes, as the player and `tarnel-skin
// check` run it (headless): every chunk's action, page building, images, texts, fonts and
// plug-in lookups. It must end with the skin loaded or with an error text, never crash or
// read outside. A small archive with a mask, a picture, a knob and a text sits beside it; an
// odd first byte puts a valid root header (600 × 510) in front of the rest so the fuzzer
// reaches the chunks quickly. The skin folder is removed when the process exits.
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

// A 2 × 2 24-bit bitmap.
std::vector<std::uint8_t> tiny_bmp()
{
    ByteBuilder bmp;
    bmp.text("BM").u32(70).u32(0).u32(54).u32(40).i32(2).i32(2).u16(1).u16(24).u32(0).u32(16).u32(0).u32(0).u32(0).u32(0);
    bmp.fill(16, 0x80);
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
    for (const bool layered : {false, true}) {
        HeadlessPlatform platform(layered);
        try {
            Player(platform, skin_dir()).load_skin();
        } catch (const SkinError&) {
        }
    }
    return 0;
}
