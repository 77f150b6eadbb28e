// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/track_page_table.h"

std::optional<std::string_view> track_page_name(PlaylistIndex playlist_index)
{
    if (playlist_index < 0 || playlist_index > 16)
        return std::nullopt;
    if (playlist_index <= 8)
        return "dzien";
    if (playlist_index <= 13)
        return "wieczor";
    return "noc";
}
