// SPDX-License-Identifier: GPL-3.0-or-later
// TrackSource: where a track's bytes come from, a file on disk or a view into the archive
// image (which must outlive every decoder reading it).
#pragma once

#include "archive/data_archive.h"

#include <filesystem>
#include <variant>

using TrackSource = std::variant<std::filesystem::path, ArchiveFile>;
