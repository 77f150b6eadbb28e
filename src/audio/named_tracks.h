// SPDX-License-Identifier: GPL-3.0-or-later
// NamedTracks: the archive-stored tracks that commands start by name on the secondary
// slot. A lookup returns the entry defined last under an equal key, or nullptr.
#pragma once

#include "audio/track_entry.h"
#include "base/named_list.h"

using NamedTracks = NamedList<TrackEntry>;
