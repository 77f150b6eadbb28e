// SPDX-License-Identifier: GPL-3.0-or-later
// TrackAhead: the handshake by which the track that follows the current one by itself is
// opened before the current one ends. The engine asks for it (`should_request`, then
// TrackLoader::want) from the chooser as it is; the loader thread opens it (`open_next`,
// from a copy of the chooser, past entries that cannot play, once round the list) and
// delivers it (`deliver`); at the current track's end the mixer takes it (`take_ready`) only
// if the chooser still equals that copy, so that the same choices and random draws are made
// and the two tracks join without a gap. When it is not ready the end waits (`wait_for_next`)
// and the delivery hands it over at once.
//
// Threads: open_next runs on the loader thread without a lock; every other member is called
// with the engine's mutex held.
#pragma once

#include "audio/decoder.h"
#include "audio/playlist.h"
#include "audio/track_chooser.h"
#include "audio/track_entry.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TrackAhead {
public:
    // What follows the current track when it ends by itself: the chooser's state before and
    // after the move, and the opened decoder (none when no entry round the list plays).
    struct Advance {
        TrackChooser from;
        TrackChooser to;
        std::unique_ptr<Decoder> decoder;
        TrackKind kind = TrackKind::none;       // of the last entry tried
        const TrackEntry* entry = nullptr;      // the entry the decoder plays
        std::optional<CommandId> module_notice; // posted when it starts (disk modules)
        std::vector<std::string> unplayable;    // entries passed over, in order
        bool fetching = false;                  // stopped at a file not readable yet
    };

    // Moves a copy of `from` on as the end of a track does and opens that entry through
    // `opener`, going past entries that do not open, at most once round `playlist`. Stops with
    // `fetching` set at an entry whose file is not `readable` yet (the browser fetches it).
    static Advance open_next(const TrackChooser& from, const Playlist& playlist, DecoderOpener opener,
                             const std::function<bool(const std::string&)>& readable);

    // Whether to ask the loader for what follows `chooser` now (and notes that it was asked):
    // yes while a track plays or an end waits, with repeat off, unless it was asked for, or
    // opened, from this chooser already.
    bool should_request(const TrackChooser& chooser, bool current_plays);
    // Whether the loader's last request was for what follows `chooser`.
    bool requested(const TrackChooser& chooser) const { return requested_from_ == chooser; }
    // At the current track's end: the advance opened from `chooser`, if it is ready.
    std::optional<Advance> take_ready(const TrackChooser& chooser);
    // The current track has ended before the next was ready.
    void wait_for_next() { waiting_ = true; }
    // The current slot changed: no end waits any more.
    void stop_waiting() { waiting_ = false; }
    bool waiting() const { return waiting_; }
    // The loader's result for `advance.from`. Returns it when the engine must adopt it now
    // (an end waits and `chooser` has not moved); otherwise keeps it for the end if it is still
    // the one asked for. What is no longer wanted goes to `unused`, to be destroyed once the
    // engine's lock is released.
    std::optional<Advance> deliver(Advance advance, const TrackChooser& chooser, std::optional<Advance>& unused);
    // An advance was adopted: forgets what was asked for and kept.
    void adopted();

private:
    std::optional<Advance> ready_;                // the next track, opened ahead
    std::optional<TrackChooser> requested_from_; // what the loader was last asked for
    bool waiting_ = false;                        // ended, and the next track is not ready yet
};
