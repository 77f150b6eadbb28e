// SPDX-License-Identifier: GPL-3.0-or-later
// TrackLoader: the engine's loader thread, where the file work of track changes happens
// off the audio device's thread: it opens and primes the decoder of the track that follows
// (handed a TrackChooser to continue from), destroys decoders the mixer has finished with,
// and writes "can't play <path>" lines to standard error.
//
// Threads: want(), retire() and report() may be called from any thread, also while the
// caller holds the engine's lock (they only take the loader's own lock briefly and do not
// allocate in the steady state); `work` runs on the loader thread with no lock held.
// The destructor stops and joins the thread; a wish still waiting is dropped.
//
// Builds without threads (VORLUNDE_NO_THREADS, the browser) have no loader thread: retire()
// and report() do their work at once, and a wish waits until wait_until_idle() runs it on
// the calling thread, which the engine does after each mix (runs_on_caller).
#pragma once

#include "audio/decoder.h"
#include "audio/track_chooser.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class TrackLoader {
public:
#ifdef VORLUNDE_NO_THREADS
    static constexpr bool runs_on_caller = true;
#else
    static constexpr bool runs_on_caller = false;
#endif

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

private:
    std::function<void(const TrackChooser&)> work_;
#ifdef VORLUNDE_NO_THREADS
    std::optional<TrackChooser> wish_;
#else
    void run();

    std::mutex mutex_; // guards everything below
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<TrackChooser> wish_;
    std::vector<std::unique_ptr<Decoder>> retired_;
    std::vector<std::string> reports_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_; // last: starts after, and is joined before, everything above
#endif
};

// Writes "can't play <path>" to standard error.
void report_unplayable(std::string_view path);
