// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/font_registry.h"

#include "archive/data_archive.h"

FontRegistry::~FontRegistry()
{
    system_.remove_installed_fonts();
}

void FontRegistry::install_font_file(const DataArchive& archive, std::string_view archive_name)
{
    const std::size_t slash = archive_name.rfind('\\');
    const std::string_view base_name = slash == std::string_view::npos ? archive_name : archive_name.substr(slash + 1);
    const ArchiveFile file = archive.find_file(archive_name);
    installed_.emplace_back(base_name);
    system_.install_font_file(base_name, file.bytes);
}

FontEntry& FontRegistry::define_font(std::string name, std::string_view face, std::int32_t height,
                                     std::int32_t weight, std::array<std::uint32_t, 4> values)
{
    auto entry = std::make_unique<FontEntry>();
    entry->font = system_.create_font(face.substr(0, max_face_bytes), height, weight);
    entry->values = values;
    return fonts_.insert(std::move(name), std::move(entry));
}
