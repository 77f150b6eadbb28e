// SPDX-License-Identifier: GPL-3.0-or-later
// TrackLoader: where the file work of track changes happens, off the audio device's thread:
// it opens and primes the decoder of the track that follows (handed a TrackChooser to
// continue from), destroys decoders the mixer has finished with, writes "can't play <path>"
// lines to standard error, and says whether a track's file can be opened yet.
//
// One contract, two builds (CMake picks the file): with threads (track_loader_threads.cpp)
// the work runs on a loader thread of its own and every file is local; in the browser
// (track_loader_web.cpp) there is one thread: retire() and report() do their work at once, a
// wish runs after the next mix (after_mix) or in wait_until_idle, and the music files are
// fetched by the page when first wanted and kept.
//
// Threads: want(), retire() and report() may be called from any thread, also while the
// caller holds the engine's lock (they only take the loader's own lock briefly and do not
// allocate in the steady state); readable() and after_mix() from any thread without it.
// `work` and the callbacks of readable() run with no lock held. The destructor stops the
// loader; a wish or callback still waiting is dropped.
#pragma once

#include "audio/decoder.h"
#include "audio/track_chooser.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TrackLoader {
public:
    explicit TrackLoader(std::function<void(const TrackChooser&)> work);
    TrackLoader(const TrackLoader&) = delete;
    TrackLoader& operator=(const TrackLoader&) = delete;
    ~TrackLoader();

    // Asks `work` to run for `from`; replaces a wish not yet started.
    void want(const TrackChooser& from);
    // Destroys `decoder` (closing its file) on the loader thread.
    void retire(std::unique_ptr<Decoder> decoder);
    // Takes `paths` (leaving it empty) and writes "can't play <path>" for each, in order, on
    // the loader thread.
    void report(std::vector<std::string>& paths);
    // Returns once nothing is waiting and `work` is not running (tests pull the mixer
    // themselves and wait here so that track ends come on exact frames). Without threads it
    // runs the waiting wish.
    void wait_until_idle();
    // The mixer calls it after each mix: without threads the waiting wish runs here.
    void after_mix();
    // Whether the file at `path` (as the playlist names it, from the working folder) can be
    // opened now; opening it still tells whether it plays. Local files always can. In the
    // browser a file of the skin's site not fetched yet cannot: the page is asked for it and
    // `arrived` runs once its bytes (or the news that there are none) are in.
    bool readable(const std::string& path, std::function<void()> arrived);

private:
    struct State; // the build's own
    std::unique_ptr<State> state_;
};

// Writes "can't play <path>" to standard error.
void report_unplayable(std::string_view path);
