// SPDX-License-Identifier: GPL-3.0-or-later
// ls, unpack and pack: the data archive side of the tool.
#include "commands.h"

#include "archive_entries.h"
#include "config_dump.h"
#include "file_bytes.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>

namespace {

std::runtime_error damaged(const std::filesystem::path& archive, const std::string& damage)
{
    return std::runtime_error("damaged data file " + archive.string() + ", " + damage);
}

// The relative path an archive name unpacks to; throws for a name that could leave the folder.
std::filesystem::path unpack_path_of(const std::string& name)
{
    const auto refuse = [&](const std::string& why) {
        return std::runtime_error("refusing to unpack " + quote_bytes(name) + ": " + why);
    };
    if (name.find('/') != std::string::npos)
        throw refuse("'/' would be read as a folder separator");
    std::filesystem::path path;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = name.find('\\', start);
        const std::string part = name.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part.empty())
            throw refuse(name.empty() ? "empty name" : start == 0 ? "absolute name" : "empty folder name");
        if (part == "." || part == "..")
            throw refuse("\"" + part + "\" in a name");
        path /= part;
        if (end == std::string::npos)
            return path;
        start = end + 1;
    }
}

bool inside(const std::filesystem::path& path, const std::filesystem::path& folder)
{
    const auto relative = path.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

} // namespace

void list_archive(const std::filesystem::path& archive, std::ostream& out)
{
    const std::vector<std::uint8_t> image = read_file_bytes(archive);
    const ArchiveScan scan = scan_archive(image);
    for (const ArchiveListing& entry : scan.entries)
        out << entry.name << '\t' << entry.size << '\t' << entry.offset << '\n';
    if (scan.damage)
        throw damaged(archive, *scan.damage);
}

void unpack_archive(const std::filesystem::path& archive, const std::filesystem::path& dir, std::ostream& out)
{
    const std::vector<std::uint8_t> image = read_file_bytes(archive);
    const ArchiveScan scan = scan_archive(image);
    if (scan.damage)
        throw damaged(archive, *scan.damage);
    std::vector<std::filesystem::path> paths;
    for (const ArchiveListing& entry : scan.entries)
        paths.push_back(unpack_path_of(entry.name));

    std::filesystem::create_directories(dir);
    const auto root = std::filesystem::canonical(dir);
    std::set<std::string> written;
    for (std::size_t i = 0; i < scan.entries.size(); ++i) {
        const ArchiveListing& entry = scan.entries[i];
        if (!written.insert(entry.name).second) {
            out << "skipped " << quote_bytes(entry.name) << ": an earlier entry has the same name\n";
            continue;
        }
        const auto target = root / paths[i];
        std::filesystem::create_directories(target.parent_path());
        // A symbolic link already inside the folder must not lead the write elsewhere.
        if (!inside(std::filesystem::weakly_canonical(target), root))
            throw std::runtime_error("refusing to unpack " + quote_bytes(entry.name) + ": it would be written outside " +
                                     dir.string());
        write_file_bytes(target, std::span(image).subspan(entry.offset, entry.size));
    }
    out << "unpacked " << written.size() << " files into " << dir.string() << '\n';
}

void pack_archive(const std::filesystem::path& dir, const std::filesystem::path& archive, std::ostream& out)
{
    std::error_code error;
    if (!std::filesystem::is_directory(dir, error))
        throw std::runtime_error("can't open folder " + dir.string());
    std::vector<ArchiveEntry> entries;
    for (const auto& item : std::filesystem::recursive_directory_iterator(dir)) {
        if (!item.is_regular_file() || std::filesystem::equivalent(item.path(), archive, error))
            continue;
        std::string name;
        for (const auto& part : item.path().lexically_relative(dir)) {
            if (part.string().find('\\') != std::string::npos)
                throw std::runtime_error("can't pack " + item.path().string() +
                                         ": a backslash in its name would read as a folder separator");
            name += (name.empty() ? "" : "\\") + part.string();
        }
        entries.push_back({name, read_file_bytes(item.path())});
    }
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    const std::vector<std::uint8_t> image = pack_entries(entries);
    write_file_bytes(archive, image);
    out << "packed " << entries.size() << " files into " << archive.string() << " (" << image.size() << " bytes)\n";
}
