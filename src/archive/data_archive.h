// DataArchive: the skin's "tarnel.dat", a plain concatenation of entries
//   name bytes, 0 byte, u32 little-endian size, size data bytes
// read whole into memory once and handed out as views. There is no index: every lookup
// walks the entries from the start and the first entry of a name wins.
//
// Ownership: the archive owns the image; every ArchiveFile is a view into it that stays
// valid until close_archive() or the archive's destruction.
// Threads: the image is written only by open_archive/load_image; lookups afterwards are
// read-only and may run on any thread.
// Damaged images: an entry whose name has no terminating 0 byte, or whose size field or
// data runs past the end of the image, ends the scan; lookups never read outside the image.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

// A stored file: a view of its data bytes inside the archive image.
struct ArchiveFile {
    std::span<const std::uint8_t> bytes;

    const std::uint8_t* data() const { return bytes.data(); }
    std::uint32_t size() const { return static_cast<std::uint32_t>(bytes.size()); }
};

class DataArchive {
public:
    // Reads the whole file into memory, replacing any earlier image.
    // Throws SkinError "can't open data file" when it cannot be opened, and
    // "can't read data file" when reading it fails or ends short.
    void open_archive(const std::filesystem::path& path);

    // Takes `image` as the archive's contents (for tools and tests).
    void load_image(std::vector<std::uint8_t> image);

    // The data of the first entry whose name equals `name` byte for byte.
    // Throws SkinError "can't find file " + name + " in datafile" when there is none.
    ArchiveFile find_file(std::string_view name) const;

    // Releases the image; every view handed out becomes invalid.
    void close_archive();

    std::span<const std::uint8_t> image() const { return image_; }

private:
    std::vector<std::uint8_t> image_;
};
