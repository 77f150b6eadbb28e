// SPDX-License-Identifier: GPL-3.0-or-later
// TrackPageTable: the page that goes with each playlist index: 0-8 "dzien", 9-13 "wieczor",
// 14-16 "noc". Indices outside 0-16 have no page (the displayed page then stays).
#pragma once

#include "audio/track_entry.h"

#include <optional>
#include <string_view>

std::optional<std::string_view> track_page_name(PlaylistIndex playlist_index);
