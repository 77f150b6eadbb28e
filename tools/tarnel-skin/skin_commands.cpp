// SPDX-License-Identifier: GPL-3.0-or-later
// build and dump: the configuration side of the tool.
#include "commands.h"

#include "archive_entries.h"
#include "config/config_walker.h"
#include "config_dump.h"
#include "file_bytes.h"
#include "skin_manifest.h"
#include "stored_files.h"

void build_skin(const std::filesystem::path& manifest_path, const std::filesystem::path& out_dir, std::ostream& out)
{
    const SkinManifest manifest = load_manifest(manifest_path);
    const std::vector<std::uint8_t> config = write_config(manifest.config);
    const WindowSize window{static_cast<int>(manifest.config.values.number(1)), static_cast<int>(manifest.config.values.number(2))};
    std::vector<ArchiveEntry> entries;
    std::vector<std::string> warnings;
    for (const ManifestFile& file : manifest.files)
        entries.push_back({file.name, stored_file_bytes(file, window, warnings)});
    for (const std::string& warning : warnings)
        out << warning << '\n';
    const std::vector<std::uint8_t> archive = pack_entries(entries);
    std::filesystem::create_directories(out_dir);
    write_file_bytes(out_dir / "tarnel.cfg", config);
    write_file_bytes(out_dir / "tarnel.dat", archive);
    out << "wrote " << (out_dir / "tarnel.cfg").string() << " (" << config.size() << " bytes) and "
        << (out_dir / "tarnel.dat").string() << " (" << entries.size() << " files, " << archive.size() << " bytes)\n";
}

void dump_config(const std::filesystem::path& config, std::ostream& out)
{
    ConfigDump dump(out);
    walk_config_file(config, dump);
}
