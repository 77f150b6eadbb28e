// SPDX-License-Identifier: GPL-3.0-or-later
// build and dump: the configuration side of the tool.
#include "commands.h"

#include "archive_entries.h"
#include "config/config_walker.h"
#include "config_dump.h"
#include "file_bytes.h"
#include "skin_checks.h"
#include "skin_manifest.h"
#include "stored_files.h"

void build_skin(const std::filesystem::path& manifest_path, const std::filesystem::path& out_dir, std::ostream& out)
{
    build_skin(manifest_path, out_dir, out, CheckServices{});
}

void build_skin(const std::filesystem::path& manifest_path, const std::filesystem::path& out_dir, std::ostream& out,
                const CheckServices& services)
{
    const SkinManifest manifest = load_manifest(manifest_path);
    const std::vector<std::uint8_t> config = write_config(manifest.config);
    std::vector<std::string> warnings;
    const std::vector<ArchiveEntry> entries = stored_entries(manifest, warnings);
    for (const std::string& warning : warnings)
        out << warning << '\n';
    for (const std::string& warning : skin_warnings(manifest, entries, out_dir, services))
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
