// SPDX-License-Identifier: GPL-3.0-or-later
#include "byte_builder.h"
#include "commands.h"
#include "file_bytes.h"
#include "packed_files.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace {

std::vector<std::uint8_t> bytes_of(std::string_view text) { return {text.begin(), text.end()}; }

std::string error_of(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "no error";
}

TEST(TarnelSkinArchive, ListsNameSizeAndOffset)
{
    TempDir dir;
    ByteBuilder image;
    archive_entry(image, "Data\\panel.rgn", "abcd");
    archive_entry(image, "", "");
    archive_entry(image, "x.txt", "hello");
    std::ostringstream out;
    list_archive(dir.write("tarnel.dat", image.bytes()), out);
    EXPECT_EQ(out.str(), "Data\\panel.rgn\t4\t19\n\t0\t28\nx.txt\t5\t38\n");

    image.string("cut").u32(50).text("short");
    std::ostringstream damaged;
    const auto path = dir.write("damaged.dat", image.bytes());
    EXPECT_EQ(error_of([&] { list_archive(path, damaged); }),
              "damaged data file " + path.string() + ", entry at offset 43: data runs past the end");
    EXPECT_EQ(damaged.str(), out.str()) << "the whole entries are listed before the error";
}

TEST(TarnelSkinArchive, PackThenUnpackRestoresTheFolder)
{
    TempDir source;
    source.write("a.txt", bytes_of("top"));
    source.write("Data/panel.rgn", bytes_of("mask"));
    source.write("Data/sub/empty.bin", {});
    std::filesystem::create_directories(source.path() / "no-files");
    TempDir work;
    std::ostringstream out;
    const auto archive = source.path() / "skin.dat";
    pack_archive(source.path(), archive, out);
    const auto first = read_file_bytes(archive);
    pack_archive(source.path(), archive, out);
    EXPECT_EQ(read_file_bytes(archive), first) << "packing is deterministic and leaves its own output out";

    std::ostringstream listing;
    list_archive(archive, listing);
    EXPECT_EQ(listing.str(), "Data\\panel.rgn\t4\t19\nData\\sub\\empty.bin\t0\t46\na.txt\t3\t56\n");

    unpack_archive(archive, work.path() / "out", out);
    EXPECT_EQ(read_file_bytes(work.path() / "out/a.txt"), bytes_of("top"));
    EXPECT_EQ(read_file_bytes(work.path() / "out/Data/panel.rgn"), bytes_of("mask"));
    EXPECT_TRUE(read_file_bytes(work.path() / "out/Data/sub/empty.bin").empty());
}

TEST(TarnelSkinArchive, UnpackRefusesNamesThatWouldLeaveTheFolder)
{
    for (const std::string name : {"..\\evil", "Data\\..\\..\\evil", "\\abs", "a\\\\b", "a\\", "", ".", "Data\\.\\x",
                                   "/etc/evil", "a/../../evil", ".."}) {
        SCOPED_TRACE(name);
        TempDir dir;
        ByteBuilder image;
        archive_entry(image, "fine.txt", "ok");
        archive_entry(image, name, "bad");
        const auto archive = dir.write("skin.dat", image.bytes());
        std::ostringstream out;
        EXPECT_NE(error_of([&] { unpack_archive(archive, dir.path() / "out/inner", out); }).find("refusing to unpack"),
                  std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "out")) << "nothing is written";
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "evil"));
    }
}

TEST(TarnelSkinArchive, UnpackDoesNotFollowLinksOutOfTheFolder)
{
    TempDir dir, outside;
    std::filesystem::create_directories(dir.path() / "out");
    std::error_code error;
    std::filesystem::create_directory_symlink(outside.path(), dir.path() / "out" / "link", error);
    if (error) // Windows without the right to make links, Wine
        GTEST_SKIP() << "can't make a folder link here: " << error.message();
    ByteBuilder image;
    archive_entry(image, "link\\evil", "bad");
    const auto archive = dir.write("skin.dat", image.bytes());
    std::ostringstream out;
    EXPECT_NE(error_of([&] { unpack_archive(archive, dir.path() / "out", out); }).find("outside"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(outside.path() / "evil"));
}

TEST(TarnelSkinArchive, UnpackKeepsTheFirstOfEqualNames)
{
    TempDir dir;
    ByteBuilder image;
    archive_entry(image, "x", "first");
    archive_entry(image, "x", "second");
    std::ostringstream out;
    unpack_archive(dir.write("skin.dat", image.bytes()), dir.path() / "out", out);
    EXPECT_EQ(read_file_bytes(dir.path() / "out/x"), bytes_of("first"));
    EXPECT_NE(out.str().find("skipped \"x\""), std::string::npos);
}

TEST(TarnelSkinArchive, RefusesWhatCannotBePacked)
{
    TempDir dir;
    std::ostringstream out;
#ifndef _WIN32 // a Windows file name cannot hold a backslash
    dir.write("odd\\name", bytes_of("x"));
    EXPECT_NE(error_of([&] { pack_archive(dir.path(), dir.path() / "skin.dat", out); }).find("backslash"), std::string::npos);
#endif
    EXPECT_EQ(error_of([&] { pack_archive(dir.path() / "none", dir.path() / "skin.dat", out); }),
              "can't open folder " + (dir.path() / "none").string());
    ByteBuilder image;
    image.text("no terminator");
    const auto damaged = dir.write("bad.dat", image.bytes());
    EXPECT_NE(error_of([&] { unpack_archive(damaged, dir.path() / "out", out); }).find("name has no 0 byte"), std::string::npos);
}

} // namespace

TEST(TarnelSkinPackedFiles, AZipGivesBackItsFileAndRefusesDamage)
{
    std::vector<std::uint8_t> program(70000);
    for (std::size_t i = 0; i < program.size(); ++i)
        program[i] = static_cast<std::uint8_t>(i * 7 % 251);
    const PackedFile files[] = {{"skin/readme.txt", {'h', 'i'}, false}, {"skin/vorlunde.exe", program, true}};
    const std::vector<std::uint8_t> zip = zip_archive(files);
    EXPECT_EQ(file_in_zip(zip, "vorlunde.exe"), program);
    EXPECT_EQ(file_in_zip(zip, "skin/readme.txt"), (std::vector<std::uint8_t>{'h', 'i'}));
    EXPECT_EQ(file_in_zip(zip, "lunde.exe"), std::nullopt) << "a name's end is not a file name";
    // Every cut of the zip is refused with a message or finds nothing; none reads outside it.
    for (std::size_t size = 0; size < zip.size(); size += 97) {
        const std::vector<std::uint8_t> cut(zip.begin(), zip.begin() + static_cast<std::ptrdiff_t>(size));
        try {
            const auto found = file_in_zip(cut, "vorlunde.exe");
            EXPECT_TRUE(!found || *found == program) << size;
        } catch (const std::runtime_error&) {
        }
    }
}
