// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/data_archive.h"
#include "base/skin_error.h"
#include "byte_builder.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string text_of(const ArchiveFile& file)
{
    return {reinterpret_cast<const char*>(file.data()), file.size()};
}

DataArchive archive_of(std::vector<std::uint8_t> image)
{
    DataArchive archive;
    archive.load_image(std::move(image));
    return archive;
}

void expect_not_found(const DataArchive& archive, const std::string& name)
{
    try {
        archive.find_file(name);
        FAIL() << "found " << name;
    } catch (const SkinError& error) {
        EXPECT_EQ(error.what(), "can't find file " + name + " in datafile");
    }
}

TEST(DataArchive, FindsEntriesByExactName)
{
    ByteBuilder image;
    archive_entry(image, "Data\\panel.rgn", "mask");
    archive_entry(image, "Data\\a.bmp", "first");
    archive_entry(image, "", "empty-name");
    archive_entry(image, "Data\\a.bmp", "second");
    const std::size_t zero_data_offset = image.size() + std::string("zero").size() + 1 + 4;
    archive_entry(image, "zero", "");
    archive_entry(image, "last", "tail");
    const auto archive = archive_of(image.take());

    EXPECT_EQ(text_of(archive.find_file("Data\\panel.rgn")), "mask");
    EXPECT_EQ(text_of(archive.find_file("Data\\a.bmp")), "first") << "the entry nearer the start wins";
    EXPECT_EQ(text_of(archive.find_file("")), "empty-name");
    EXPECT_EQ(text_of(archive.find_file("last")), "tail") << "data ending exactly at the end of the image";

    const auto zero = archive.find_file("zero");
    EXPECT_EQ(zero.size(), 0u);
    EXPECT_EQ(static_cast<std::size_t>(zero.data() - archive.image().data()), zero_data_offset)
        << "a size-0 view points right after its size field";

    for (const char* missing : {"Data\\panel", "Data\\panel.rgn2", "data\\panel.rgn", "DATA\\A.BMP", "Data/a.bmp", "nothing"})
        expect_not_found(archive, missing);
}

TEST(DataArchive, EmptyArchiveFindsNothing)
{
    const auto archive = archive_of({});
    expect_not_found(archive, "");
    expect_not_found(archive, "Data\\panel.rgn");
}

TEST(DataArchive, DamagedEntriesEndTheScanWithoutReadingOutside)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> tail; // appended after one good entry "good"
        const char* looked_up;
    };
    const Case cases[] = {
        {"name without terminator", ByteBuilder().text("broken").take(), "broken"},
        {"size field cut after two bytes", ByteBuilder().string("cut").u16(1).take(), "cut"},
        {"size field missing", ByteBuilder().string("cut").take(), "cut"},
        {"data runs past the end", ByteBuilder().string("long").u32(100).text("abc").take(), "long"},
        {"huge size wraps", ByteBuilder().string("wrap").u32(0xFFFFFFFF).text("abc").take(), "wrap"},
        {"entry after an overlong one", ByteBuilder().string("long").u32(0xFFFFFFF0).string("after").u32(0).take(), "after"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ByteBuilder image;
        archive_entry(image, "good", "ok");
        image.raw(c.tail);
        // A copy sized exactly, so AddressSanitizer sees any read past the end.
        const auto archive = archive_of(image.take());
        EXPECT_EQ(text_of(archive.find_file("good")), "ok");
        expect_not_found(archive, c.looked_up);
    }
}

TEST(DataArchive, OpenReadsTheWholeFileAndReportsMissingFiles)
{
    TempDir dir;
    ByteBuilder image;
    archive_entry(image, "Data\\x.txt", "hello");
    const auto path = dir.write("tarnel.dat", image.bytes());

    DataArchive archive;
    archive.open_archive(path);
    EXPECT_EQ(text_of(archive.find_file("Data\\x.txt")), "hello");

    archive.close_archive();
    expect_not_found(archive, "Data\\x.txt");

    try {
        archive.open_archive(dir.path() / "missing.dat");
        FAIL();
    } catch (const SkinError& error) {
        EXPECT_STREQ(error.what(), "can't open data file");
    }
    try {
        archive.open_archive(dir.path());
        FAIL();
    } catch (const SkinError& error) {
        EXPECT_STREQ(error.what(), "can't open data file") << "a folder is not a data file";
    }
}

} // namespace
