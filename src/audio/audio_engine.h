// SPDX-License-Identifier: GPL-3.0-or-later
// AudioEngine: the player's music. Two slots, each holding at most one Channel: the
// *current* slot plays the playlist entry at the current index and is what the transport
// commands act on; the *secondary* slot plays a named track from the archive on top of it.
// The engine holds the tracklists (playlist, titles, named tracks; handed over const once the
// configuration has loaded), the track choice and the mixer, which an AudioDevice pulls
// through render().
//
// Units: volumes 0 to 100; slide durations in milliseconds (`duration_ms`); stream positions
// in frames of 44.1 kHz, module positions in orders. Seeking a stream moves 10 seconds.
//
// Posted commands (through the CommandSink, never while the engine's lock is held):
// looped_module_started / unlooped_module_started when a module is opened from disk whose file
// name does / does not contain "loop" (archive modules post neither); track_changed_by_itself
// when the current track has ended and the engine has moved on to the next one by itself.
//
// Threads: every public member may be called from the UI thread while the device's thread
// runs render(); one mutex serialises the slots, indices, modes, random draws and the end
// of track. The tracklists are const once handed over, so the references handed out stay
// valid and unguarded until the next use_tracklists or reload_tracklists (UI thread), which
// replaces them only while the loader thread, their one reader off the UI thread, is idle.
//
// No file is opened on the device's thread: render() never calls open_decoder. Tracks the
// user starts are opened on the UI thread, outside the lock, and installed afterwards; the
// track that follows the current one by itself is opened ahead on the engine's loader
// thread (TrackLoader) and swapped in at the end as TrackAhead describes, joining the two
// tracks without a gap. Should it not be ready, the mixer plays silence and the loader
// installs it when done. Decoders the mixer finishes with are destroyed on the loader thread.
// Builds without threads (the browser, whose device calls render() on the one thread between
// events) open the track ahead right after a mix; there a music file is fetched the first time
// it is opened (TrackLoader::readable), and the track it belongs to opens when it has arrived.
//
// Entries that cannot play (kind none, missing or damaged files) write "can't play <path>"
// to standard error; when the playlist moves on by itself it goes on past them in the same
// order, at most once round the list, and stops when nothing there plays.
#pragma once

#include "archive/data_archive.h"
#include "audio/audio_operations.h"
#include "audio/channel.h"
#include "audio/fft_spectrum_analyzer.h"
#include "audio/page_playback.h"
#include "audio/playlist.h"
#include "audio/track_ahead.h"
#include "audio/track_chooser.h"
#include "audio/track_entry.h"
#include "audio/track_loader.h"
#include "audio/track_title_table.h"
#include "audio/tracklists.h"
#include "base/command.h"
#include "platform/audio_device.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class AudioEngine final : public AudioRenderer, public AudioOperations, public PagePlayback {
public:
    // How far seek_forward and seek_backward move a stream.
    static constexpr std::int64_t stream_seek_frames = 10 * AudioDevice::sample_rate;

    // `sink` must outlive the engine, `archive` too or until reload_tracklists hands over
    // another. Every decoder is opened through `opener`.
    AudioEngine(CommandSink& sink, const DataArchive& archive, DecoderOpener opener = &open_decoder);

    // --- The tracklists (empty until handed over) ---

    // Takes the tracklists filled while the configuration loaded and keeps them const. Called
    // before anything plays (it stops both slots and waits for the loader thread), from the
    // UI thread; the references given out earlier die with the lists they came from.
    void use_tracklists(Tracklists lists);

    // Takes the tracklists and the archive of a skin loaded again while the engine may play
    // (UI thread). A current track plays on, undisturbed, when the new playlist has an entry of
    // the same file and kind (the one at the current index if it matches, else the first),
    // which becomes the current index; otherwise it stops and the index stays. The secondary
    // channel stops (it may read the old archive), and the track opened ahead is dropped and
    // asked for again from the new lists. Returns once no thread reads the old lists or the
    // old archive: both may go then. `archive` must outlive the engine or the next call.
    void reload_tracklists(Tracklists lists, const DataArchive& archive);

    // Repeat and random off, current and previous index 0.
    void reset_audio_state();

    // --- Current slot ---

    // Resumes a paused track, leaves a playing one alone, otherwise (re)starts the entry at
    // the current index from its beginning, looping, with the end-of-track handling.
    void play_current() override;
    // Stops and frees the current channel.
    void stop_current() override;
    // Pauses a playing current track, resumes a paused one.
    void toggle_pause() override;
    // Stream: 10 s on, unless that reaches the end. Module: the next order, unless at the last.
    void seek_forward() override;
    // Stream: 10 s back, unless that passes the start. Module: the previous order, unless at 0.
    void seek_backward() override;
    // Only while playing: moves to trunc(length × percent × 0.01) of the current track.
    void seek_percent(float percent) override;
    // Position / length of the current track while it plays or is paused, else 0.
    float playback_fraction() const override;
    // stopped (also when nothing is opened), playing or paused.
    Channel::Activity current_activity() const;
    bool playing() const override { return current_activity() == Channel::Activity::playing; }
    std::int64_t playback_length_ms() const override;
    // Whether the mixer has anything to play: a playing channel in either slot, or a current
    // track that has ended while the one after it is still being opened. While false the
    // mixer gives only silence and the output may close.
    bool sounding() const;
    // Where a playing or paused track is and how long it is, in microseconds (modules: the
    // decoder's estimate in seconds), its kind, and the current channel's volume (0..100);
    // times are 0 and the kind none when stopped.
    struct TrackTime {
        std::int64_t position_us = 0;
        std::int64_t length_us = 0;
        TrackKind kind = TrackKind::none;
        int volume = 100;
    };
    TrackTime track_time() const;
    // The playback state at one instant, read under one lock (so that a track change by
    // itself cannot fall between two of its values).
    struct Snapshot {
        Channel::Activity activity = Channel::Activity::stopped;
        bool repeat = false;
        bool random = false;
        PlaylistIndex index = 0;
        TrackTime time;
    };
    Snapshot snapshot() const;
    // Only while playing or paused: moves the current track to `position_us`, clamped to it.
    void seek_to_time(std::int64_t position_us);
    // Volume of the current channel, when the playlist entry at the current index is of the
    // kind playing in the current slot.
    void set_current_volume(int volume) override;
    void slide_current_volume(int target, std::uint32_t duration_ms) override;
    // Fills and returns the 512 magnitudes of the current channel's last 1,024 samples. Left
    // as it was while the current channel is neither playing nor paused.
    std::span<const float, FftSpectrumAnalyzer::bin_count> get_spectrum();

    // --- Secondary slot ---

    // Stops the secondary channel, then plays `track` once on it; nullptr plays nothing.
    // Throws SkinError "can't find file " + name + " in datafile" for an archive-stored track
    // missing from the archive.
    void play_secondary(const TrackEntry* track) override;
    void stop_secondary() override;
    // Volume of the secondary channel while it is active (playing or paused).
    void set_secondary_volume(int volume) override;
    void slide_secondary_volume(int target, std::uint32_t duration_ms) override;

    // --- Track choice ---

    // Moves to the next eligible track; starts it if a track was active.
    void next_track() override;
    // Moves back one eligible track (or through the history at random); starts it if a track
    // was active.
    void previous_track() override;
    // Plays the eligible entry at `index` from its beginning; otherwise does nothing.
    void play_track(PlaylistIndex index) override;
    void toggle_repeat() override;
    void toggle_random() override;

    // --- Read access ---

    PlaylistIndex current_index() const override;
    bool repeat() const override;
    bool random() const override;
    PlaylistIndex track_count() const { return playlist().count(); }
    const Playlist& playlist() const { return lists_->playlist(); }
    const TrackTitleTable& titles() const { return lists_->titles(); }
    // The named track defined last under `key`, or nullptr.
    const TrackEntry* find_named_track(std::string_view key) const override { return lists_->find_named_track(key); }

    // The mixer: current and secondary channels added at their volumes. Handles the current
    // track's end (repeat: it loops on, at most once per call; otherwise the next track starts).
    void render(std::span<float> interleaved) override;

    // Returns once the loader thread has nothing left to do. Tests that pull the mixer
    // themselves call it before rendering, so that track ends happen on exact frames.
    void wait_for_loader() { loader_.wait_until_idle(); }

private:
    struct Slot {
        TrackKind kind = TrackKind::none;   // what was last opened here; never returns to none
        std::optional<Channel> channel;     // empty when stopped, or when the open failed
        const TrackEntry* entry = nullptr;  // what the channel plays (current slot)
    };

    // Commands gathered under the lock and posted after it is released: at most one start
    // of a track (its module notice, if any) and one track change, in that order.
    class PendingPosts {
    public:
        void module_started(CommandId notice) { module_notice_ = notice; }
        void track_changed() { track_changed_ = true; }
        void send(CommandSink& sink) const;

    private:
        std::optional<CommandId> module_notice_;
        bool track_changed_ = false;
    };

    // A track the UI thread opens outside the lock; installed if `generation` still holds.
    struct PendingOpen {
        const TrackEntry* entry;
        std::uint64_t generation;
    };

    // A seek of the current stream: the UI thread opens the track again outside the lock and
    // moves it to `target` there (the file reading, and the decoding a resampled stream does
    // before the target); the new decoder replaces the playing one if `generation` holds.
    struct PendingSeek {
        const TrackEntry* entry;
        std::uint64_t generation;
        std::int64_t target;
    };

    std::optional<PendingOpen> begin_play_current_locked(PendingPosts& posts);
    void finish_open(const PendingOpen& open);
    // seek_forward (direction +1) and seek_backward (-1).
    void seek_by(std::int64_t direction);
    std::optional<PendingSeek> plan_seek_locked(std::int64_t target);
    void finish_seek(const PendingSeek& seek);
    // Empties the current slot (its decoder is destroyed on the loader thread).
    void clear_current_locked();
    PlaylistIndex kept_entry_index(const TrackEntry& old) const;
    Channel::Activity activity_locked() const;
    TrackTime track_time_locked() const;
    void on_track_end(PendingPosts& posts);
    void adopt_locked(TrackAhead::Advance& advance, PendingPosts& posts);
    void request_ahead_locked();
    void load_ahead(const TrackChooser& from); // the loader thread's work
    void change_track(void (TrackChooser::*choose)(const Playlist&));
    Channel* current_volume_target();

    CommandSink& sink_;
    const DataArchive* archive_; // the skin's archive, for the named tracks (UI thread only)
    DecoderOpener opener_;
    std::unique_ptr<const Tracklists> lists_; // never null; replaced by use_ or reload_tracklists

    mutable std::mutex mutex_; // guards everything below
    TrackChooser chooser_;
    Slot current_;
    Slot secondary_;
    FftSpectrumAnalyzer analyzer_;
    std::array<float, FftSpectrumAnalyzer::bin_count> spectrum_buffer_{};
    std::vector<float> scratch_; // decoding buffer of the mixer, allocated once
    std::uint64_t generation_ = 0;              // counts changes of the current slot
    TrackAhead ahead_;                          // the next track, asked for and opened ahead
    bool lists_changing_ = false;               // no track is asked for ahead meanwhile

    TrackLoader loader_; // last: its thread stops before the members above go
};
