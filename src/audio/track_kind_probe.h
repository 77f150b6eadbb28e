// SPDX-License-Identifier: GPL-3.0-or-later
// playlist_track_kind: what kind of track a playlist entry (a path in the file system) is.
// The extension of the file's own name (after the last path separator, / or \\, and its
// last full stop), in any case, settles it when it names a stream format (mp3, mp2, ogg, oga, opus,
// flac) or one that libopenmpt reads (xm, it, mod, s3m, mptm, ...). Otherwise the file's
// first bytes decide: Ogg, FLAC or ID3/MPEG headers make a stream, what libopenmpt's probe
// accepts a module; a missing or unrecognised file is kind none. Reads the file's head:
// call it while the configuration loads, never on the audio device's thread.
// Archive names keep file_kind_of (make_track_entry).
#pragma once

#include "audio/track_entry.h"

#include <string_view>

TrackKind playlist_track_kind(std::string_view path);
