// SPDX-License-Identifier: GPL-3.0-or-later
// DataArchive: the skin's "tarnel.dat", a plain concatenation of entries
//   name bytes, 0 byte, u32 little-endian size, size data bytes
// mapped into memory once (MappedFile) and handed out as views. Opening walks the entries
// once and keeps their names and places, so lookups never touch the file; the first entry
// of a name wins. release_pages() and release() give back the memory of what has been read
// (decoded pictures, fonts written out, a parsed module); what is read again comes from the
// file again.
//
// Ownership: the archive owns the image; every ArchiveFile is a view into it that stays
// valid until close_archive() or the archive's destruction.
// Threads: the image is written only by open_archive/load_image; lookups afterwards are
// read-only and may run on any thread, as may release_pages.
// Damaged images: an entry whose name has no terminating 0 byte, or whose size field or
// data runs past the end of the image, ends the scan; lookups never read outside the image.
#pragma once

#include "base/mapped_file.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A stored file: a view of its data bytes inside the archive image.
struct ArchiveFile {
    std::span<const std::uint8_t> bytes;

    const std::uint8_t* data() const { return bytes.data(); }
    std::uint32_t size() const { return static_cast<std::uint32_t>(bytes.size()); }
};

class DataArchive {
public:
    // Maps the file, replacing any earlier image.
    // Throws SkinError "can't open data file" when it cannot be opened, and
    // "can't read data file" when it cannot be read.
    void open_archive(const std::filesystem::path& path);

    // Takes `image` as the archive's contents (for tools and tests).
    void load_image(std::vector<std::uint8_t> image);

    // The data of the first entry whose name equals `name` byte for byte.
    // Throws SkinError "can't find file " + name + " in datafile" when there is none.
    ArchiveFile find_file(std::string_view name) const;
    // True when an entry is named `name`.
    bool has_file(std::string_view name) const { return entries_.contains(std::string(name)); }

    // Gives back the memory of the pages read so far, of the whole file or of one entry
    // (whole pages only); views stay valid.
    void release_pages() const { mapped_.release_pages(image_); }
    void release(const ArchiveFile& file) const { mapped_.release_pages(file.bytes); }

    // Releases the image; every view handed out becomes invalid.
    void close_archive();

    std::span<const std::uint8_t> image() const { return image_; }

private:
    void index_entries();

    MappedFile mapped_;
    std::vector<std::uint8_t> loaded_; // an image handed over by load_image
    std::span<const std::uint8_t> image_;
    std::unordered_map<std::string, std::span<const std::uint8_t>> entries_; // first of each name
};
