// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/track_entry.h"

#include "base/file_kind.h"

#include <utility>

TrackEntry make_track_entry(std::string name, bool stored_in_archive)
{
    TrackKind kind = TrackKind::none;
    switch (file_kind_of(name)) {
    case FileKind::module: kind = TrackKind::module; break;
    case FileKind::stream: kind = TrackKind::stream; break;
    case FileKind::other:
    case FileKind::jpeg:
    case FileKind::bmp: break;
    }
    return TrackEntry{std::move(name), kind, stored_in_archive};
}

std::optional<CommandId> module_notice(const TrackEntry& entry)
{
    if (entry.stored_in_archive || entry.kind != TrackKind::module)
        return std::nullopt;
    return entry.name.find("loop") != std::string::npos ? CommandId::looped_module_started : CommandId::unlooped_module_started;
}
