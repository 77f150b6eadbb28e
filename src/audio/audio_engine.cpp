// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/audio_engine.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Frames the mixer decodes at a time.
constexpr std::size_t mix_block_frames = 1024;

} // namespace

void AudioEngine::PendingPosts::send(CommandSink& sink) const
{
    if (module_notice_)
        sink.post_command(*module_notice_);
    if (track_changed_)
        sink.post_command(CommandId::track_changed_by_itself);
}

AudioEngine::AudioEngine(CommandSink& sink, const DataArchive& archive, DecoderOpener opener)
    : sink_(sink), archive_(&archive), opener_(opener), lists_(std::make_unique<const Tracklists>()),
      scratch_(2 * mix_block_frames),
      loader_([this](const TrackChooser& from) { load_ahead(from); })
{
}

// Nothing plays and the loader is idle before the old lists go: no thread reads them then.
void AudioEngine::use_tracklists(Tracklists lists)
{
    {
        std::lock_guard lock(mutex_);
        clear_current_locked();
        secondary_.channel.reset();
        ahead_.adopted();
    }
    loader_.wait_until_idle();
    auto kept = std::make_unique<const Tracklists>(std::move(lists));
    std::lock_guard lock(mutex_);
    lists_ = std::move(kept);
}

// The loader reads the lists without the lock: it is made idle, with no new wish possible,
// before they change. The current channel never reads them, so it plays on across the change.
void AudioEngine::reload_tracklists(Tracklists lists, const DataArchive& archive)
{
    std::unique_ptr<Decoder> secondary;
    {
        std::lock_guard lock(mutex_);
        lists_changing_ = true;
        ahead_.adopted();
        if (secondary_.channel)
            secondary = secondary_.channel->take_decoder();
        secondary_.channel.reset();
    }
    loader_.wait_until_idle();
    secondary.reset(); // it read the old archive, which goes once this returns
    auto kept = std::make_unique<const Tracklists>(std::move(lists));
    std::unique_ptr<const Tracklists> old;
    {
        std::lock_guard lock(mutex_);
        old = std::exchange(lists_, std::move(kept));
        archive_ = &archive;
        const PlaylistIndex index = current_.channel && current_.entry ? kept_entry_index(*current_.entry) : -1;
        if (index >= 0) {
            chooser_.select(playlist(), index);
            current_.entry = playlist().at(index);
        } else {
            if (!ahead_.waiting()) // an end that waits for its next track goes on waiting
                clear_current_locked();
            current_.entry = nullptr;
        }
        lists_changing_ = false;
        request_ahead_locked();
    }
}

// The index of the new playlist's entry for the same file and kind as `old`: the current
// index when it matches, else the first; -1 when none does.
PlaylistIndex AudioEngine::kept_entry_index(const TrackEntry& old) const
{
    const auto same = [&](PlaylistIndex index) {
        const TrackEntry* entry = playlist().at(index);
        return entry && entry->name == old.name && entry->kind == old.kind;
    };
    if (same(chooser_.current_index()))
        return chooser_.current_index();
    for (PlaylistIndex index = 0; index < playlist().count(); ++index)
        if (same(index))
            return index;
    return -1;
}

void AudioEngine::reset_audio_state()
{
    std::lock_guard lock(mutex_);
    chooser_.reset();
    request_ahead_locked();
}

void AudioEngine::clear_current_locked()
{
    if (current_.channel) {
        loader_.retire(current_.channel->take_decoder());
        current_.channel.reset();
    }
    ++generation_;
    ahead_.stop_waiting();
}

void AudioEngine::play_current()
{
    PendingPosts posts;
    std::optional<PendingOpen> open;
    {
        std::lock_guard lock(mutex_);
        open = begin_play_current_locked(posts);
    }
    posts.send(sink_);
    if (open)
        finish_open(*open);
}

// Resumes or leaves a paused or playing track; otherwise empties the slot and says which
// entry to open (posting a disk module's notice first, as opening it does).
std::optional<AudioEngine::PendingOpen> AudioEngine::begin_play_current_locked(PendingPosts& posts)
{
    if (current_.channel) {
        current_.channel->resume();
        if (current_.channel->activity() == Channel::Activity::playing)
            return std::nullopt;
    }
    const TrackEntry* entry = playlist().at(chooser_.current_index());
    if (entry == nullptr || !entry->eligible())
        return std::nullopt;
    if (entry->kind == TrackKind::none) {
        std::vector<std::string> unplayable{entry->name};
        loader_.report(unplayable); // written by the loader, not while the mixer waits for the lock
        return std::nullopt;
    }
    clear_current_locked();
    current_.kind = entry->kind;
    if (const auto notice = module_notice(*entry))
        posts.module_started(*notice);
    return PendingOpen{entry, generation_};
}

// Opens on the calling (UI) thread with the lock released, so the mixer plays on meanwhile.
// A file the browser has still to fetch is opened when it has arrived, unless another change
// came first.
void AudioEngine::finish_open(const PendingOpen& open)
{
    const auto arrived = [this, open] {
        if (std::lock_guard lock(mutex_); open.generation != generation_)
            return;
        finish_open(open);
    };
    if (!loader_.readable(open.entry->name, arrived))
        return;
    auto decoder = opener_(open.entry->kind, std::filesystem::path(open.entry->name));
    if (!decoder)
        report_unplayable(open.entry->name);
    std::lock_guard lock(mutex_);
    if (!decoder || open.generation != generation_) // another change came first: drop this one
        return loader_.retire(std::move(decoder));
    current_.channel.emplace(std::move(decoder), chooser_.repeat());
    current_.entry = open.entry;
    analyzer_.clear();
    request_ahead_locked();
}

void AudioEngine::stop_current()
{
    std::lock_guard lock(mutex_);
    clear_current_locked();
}

void AudioEngine::toggle_pause()
{
    std::lock_guard lock(mutex_);
    if (!current_.channel)
        return;
    if (current_.channel->activity() == Channel::Activity::playing)
        current_.channel->pause();
    else
        current_.channel->resume();
}

void AudioEngine::seek_forward()
{
    seek_by(+1);
}

void AudioEngine::seek_backward()
{
    seek_by(-1);
}

// A stream moves by stream_seek_frames and stops short of its end; a module moves one order
// and stops at its last.
void AudioEngine::seek_by(std::int64_t direction)
{
    std::optional<PendingSeek> seek;
    {
        std::lock_guard lock(mutex_);
        if (!current_.channel)
            return;
        const Decoder& decoder = current_.channel->decoder();
        const bool stream = current_.kind == TrackKind::stream;
        const std::int64_t target = decoder.position() + direction * (stream ? stream_seek_frames : 1);
        if (target >= 0 && (stream ? target < decoder.length() : target <= decoder.length()))
            seek = plan_seek_locked(target);
    }
    if (seek)
        finish_seek(*seek);
}

void AudioEngine::seek_percent(float percent)
{
    std::optional<PendingSeek> seek;
    {
        std::lock_guard lock(mutex_);
        if (!current_.channel || current_.channel->activity() != Channel::Activity::playing)
            return;
        const Decoder& decoder = current_.channel->decoder();
        const float length = static_cast<float>(decoder.length());
        const auto target = static_cast<std::int64_t>(std::trunc(length * percent * 0.01f));
        // Positions exist up to the last frame of a stream, and up to the last order of a module.
        const std::int64_t last = current_.kind == TrackKind::stream ? decoder.length() - 1 : decoder.length();
        if (target >= 0 && target <= last)
            seek = plan_seek_locked(target);
    }
    if (seek)
        finish_seek(*seek);
}

// A module is held in memory and moves at once; a stream is opened again outside the lock.
std::optional<AudioEngine::PendingSeek> AudioEngine::plan_seek_locked(std::int64_t target)
{
    if (current_.kind == TrackKind::module) {
        current_.channel->decoder().set_position(target);
        return std::nullopt;
    }
    return PendingSeek{current_.entry, generation_, target};
}

// On the calling (UI) thread, the lock released while the file is read: the mixer plays on
// from the old place meanwhile, and the channel keeps its volume, slide and pause state.
void AudioEngine::finish_seek(const PendingSeek& seek)
{
    auto decoder = opener_(seek.entry->kind, std::filesystem::path(seek.entry->name));
    if (decoder)
        decoder->set_position(seek.target);
    std::lock_guard lock(mutex_);
    if (!decoder || seek.generation != generation_ || !current_.channel) // the track changed meanwhile
        return loader_.retire(std::move(decoder));
    loader_.retire(current_.channel->replace_decoder(std::move(decoder)));
}

float AudioEngine::playback_fraction() const
{
    std::lock_guard lock(mutex_);
    if (!current_.channel || activity_locked() == Channel::Activity::stopped)
        return 0.0f;
    const Decoder& decoder = current_.channel->decoder();
    return decoder.length() > 0 ? static_cast<float>(decoder.position()) / static_cast<float>(decoder.length()) : 0.0f;
}

AudioEngine::TrackTime AudioEngine::track_time() const
{
    std::lock_guard lock(mutex_);
    return track_time_locked();
}

AudioEngine::Snapshot AudioEngine::snapshot() const
{
    std::lock_guard lock(mutex_);
    return Snapshot{activity_locked(), chooser_.repeat(), chooser_.random(), chooser_.current_index(),
                    track_time_locked()};
}

AudioEngine::TrackTime AudioEngine::track_time_locked() const
{
    TrackTime time;
    if (!current_.channel)
        return time;
    time.volume = static_cast<int>(std::lround(current_.channel->volume()));
    if (current_.kind == TrackKind::none || activity_locked() == Channel::Activity::stopped)
        return time;
    const Decoder& decoder = current_.channel->decoder();
    time.position_us = decoder.time_us();
    time.length_us = decoder.duration_us();
    time.kind = current_.kind;
    return time;
}

// A module moves at once, in seconds; a stream is opened again outside the lock, as other
// seeks are.
void AudioEngine::seek_to_time(std::int64_t position_us)
{
    std::optional<PendingSeek> seek;
    {
        std::lock_guard lock(mutex_);
        if (!current_.channel || activity_locked() == Channel::Activity::stopped)
            return;
        Decoder& decoder = current_.channel->decoder();
        if (current_.kind != TrackKind::stream) {
            decoder.set_time_us(position_us);
            return;
        }
        const std::int64_t us = std::clamp<std::int64_t>(position_us, 0, decoder.duration_us());
        const std::int64_t last = std::max<std::int64_t>(decoder.length() - 1, 0);
        seek = plan_seek_locked(std::clamp<std::int64_t>(Decoder::us_to_frames(us), 0, last));
    }
    if (seek)
        finish_seek(*seek);
}

Channel::Activity AudioEngine::current_activity() const
{
    std::lock_guard lock(mutex_);
    return activity_locked();
}

std::int64_t AudioEngine::playback_length_ms() const
{
    std::lock_guard lock(mutex_);
    if (current_.kind != TrackKind::stream || activity_locked() != Channel::Activity::playing)
        return 0;
    return current_.channel->decoder().length() * 1000 / AudioDevice::sample_rate;
}

bool AudioEngine::sounding() const
{
    const auto plays = [](const Slot& slot) {
        return slot.channel && slot.channel->activity() == Channel::Activity::playing;
    };
    std::lock_guard lock(mutex_);
    return plays(current_) || plays(secondary_) || ahead_.waiting();
}

Channel::Activity AudioEngine::activity_locked() const
{
    return current_.channel ? current_.channel->activity() : Channel::Activity::stopped;
}

// The current-volume commands address the channel of the kind of the entry at the current
// index; when that is not the kind playing, they reach nothing.
Channel* AudioEngine::current_volume_target()
{
    const TrackEntry* entry = playlist().at(chooser_.current_index());
    if (entry == nullptr || entry->kind == TrackKind::none || entry->kind != current_.kind || !current_.channel)
        return nullptr;
    return &*current_.channel;
}

void AudioEngine::set_current_volume(int volume)
{
    std::lock_guard lock(mutex_);
    if (Channel* channel = current_volume_target())
        channel->set_volume(volume);
}

void AudioEngine::slide_current_volume(int target, std::uint32_t duration_ms)
{
    std::lock_guard lock(mutex_);
    if (Channel* channel = current_volume_target())
        channel->slide_volume(target, duration_ms);
}

std::span<const float, FftSpectrumAnalyzer::bin_count> AudioEngine::get_spectrum()
{
    std::lock_guard lock(mutex_);
    if (activity_locked() != Channel::Activity::stopped)
        analyzer_.compute(spectrum_buffer_);
    return spectrum_buffer_;
}

void AudioEngine::play_secondary(const TrackEntry* track)
{
    {
        std::lock_guard lock(mutex_);
        secondary_.channel.reset();
    }
    if (track == nullptr || track->kind == TrackKind::none)
        return;
    // Named tracks live in the archive, in memory; still opened outside the lock, as a large
    // module takes a while to parse.
    const ArchiveFile file = archive_->find_file(track->name);
    auto decoder = opener_(track->kind, file);
    if (track->kind == TrackKind::module)
        archive_->release(file); // the module player keeps its own copy
    std::lock_guard lock(mutex_);
    secondary_.kind = track->kind;
    if (decoder)
        secondary_.channel.emplace(std::move(decoder), false);
}

void AudioEngine::stop_secondary()
{
    std::lock_guard lock(mutex_);
    secondary_.channel.reset();
}

void AudioEngine::set_secondary_volume(int volume)
{
    std::lock_guard lock(mutex_);
    if (secondary_.channel && secondary_.channel->activity() != Channel::Activity::stopped)
        secondary_.channel->set_volume(volume);
}

void AudioEngine::slide_secondary_volume(int target, std::uint32_t duration_ms)
{
    std::lock_guard lock(mutex_);
    if (secondary_.channel && secondary_.channel->activity() != Channel::Activity::stopped)
        secondary_.channel->slide_volume(target, duration_ms);
}

void AudioEngine::next_track()
{
    change_track(&TrackChooser::choose_next);
}

void AudioEngine::previous_track()
{
    change_track(&TrackChooser::choose_previous);
}

// Stops the current track, lets `choose` move the index, and starts the new track when a
// track was active (playing or paused) before.
void AudioEngine::change_track(void (TrackChooser::*choose)(const Playlist&))
{
    PendingPosts posts;
    std::optional<PendingOpen> open;
    {
        std::lock_guard lock(mutex_);
        const bool was_active = activity_locked() != Channel::Activity::stopped;
        clear_current_locked();
        (chooser_.*choose)(playlist());
        if (was_active)
            open = begin_play_current_locked(posts);
    }
    posts.send(sink_);
    if (open)
        finish_open(*open);
}

void AudioEngine::play_track(PlaylistIndex index)
{
    PendingPosts posts;
    std::optional<PendingOpen> open;
    {
        std::lock_guard lock(mutex_);
        if (!chooser_.select(playlist(), index))
            return;
        clear_current_locked();
        open = begin_play_current_locked(posts);
    }
    posts.send(sink_);
    if (open)
        finish_open(*open);
}

void AudioEngine::toggle_repeat()
{
    std::lock_guard lock(mutex_);
    chooser_.toggle_repeat();
    if (current_.channel)
        current_.channel->set_loops(chooser_.repeat());
    request_ahead_locked();
}

void AudioEngine::toggle_random()
{
    std::lock_guard lock(mutex_);
    chooser_.toggle_random();
    request_ahead_locked();
}

PlaylistIndex AudioEngine::current_index() const
{
    std::lock_guard lock(mutex_);
    return chooser_.current_index();
}

bool AudioEngine::repeat() const
{
    std::lock_guard lock(mutex_);
    return chooser_.repeat();
}

bool AudioEngine::random() const
{
    std::lock_guard lock(mutex_);
    return chooser_.random();
}

// The current channel has reached its end: with repeat it has gone back to its start and
// plays on; otherwise the track that follows starts at once if it was opened ahead.
void AudioEngine::on_track_end(PendingPosts& posts)
{
    if (chooser_.repeat())
        return;
    if (auto ready = ahead_.take_ready(chooser_)) {
        adopt_locked(*ready, posts);
        return;
    }
    clear_current_locked();
    ahead_.wait_for_next();
    request_ahead_locked();
}

// Moves the chooser on as `advance` found, puts its decoder in the current slot and posts
// what opening it and the end of a track post.
void AudioEngine::adopt_locked(TrackAhead::Advance& advance, PendingPosts& posts)
{
    clear_current_locked();
    chooser_ = advance.to;
    current_.kind = advance.kind == TrackKind::none ? current_.kind : advance.kind;
    if (advance.module_notice)
        posts.module_started(*advance.module_notice);
    if (advance.decoder) {
        current_.channel.emplace(std::move(advance.decoder), chooser_.repeat());
        current_.entry = advance.entry;
        analyzer_.clear();
    }
    posts.track_changed();
    loader_.report(advance.unplayable);
    ahead_.adopted();
    request_ahead_locked();
}

void AudioEngine::request_ahead_locked()
{
    if (!lists_changing_ && ahead_.should_request(chooser_, current_.channel.has_value()))
        loader_.want(chooser_);
}

// On the loader thread: opens what follows `from`, then hands it over. An end already
// waiting for it takes it at once.
void AudioEngine::load_ahead(const TrackChooser& from)
{
    // A file the browser has still to fetch: the same wish again once it has arrived, unless
    // the engine has asked for another meanwhile.
    const auto wish_again = [this, from] {
        if (std::lock_guard lock(mutex_); !ahead_.requested(from))
            return;
        loader_.want(from);
    };
    const auto readable = [this, &wish_again](const std::string& path) { return loader_.readable(path, wish_again); };
    TrackAhead::Advance advance = TrackAhead::open_next(from, playlist(), opener_, readable);
    if (advance.fetching)
        return;
    std::optional<TrackAhead::Advance> unused;
    PendingPosts posts;
    {
        std::lock_guard lock(mutex_);
        if (auto now = ahead_.deliver(std::move(advance), chooser_, unused))
            adopt_locked(*now, posts);
    }
    posts.send(sink_);
}

void AudioEngine::render(std::span<float> interleaved)
{
    std::fill(interleaved.begin(), interleaved.end(), 0.0f);
    PendingPosts posts;
    {
        std::lock_guard lock(mutex_);
        const std::size_t frames = interleaved.size() / 2;
        std::size_t done = 0;
        bool end_handled = false;
        while (done < frames && current_.channel) {
            const Channel::MixResult mixed = current_.channel->mix_into(interleaved.subspan(2 * done), scratch_, &analyzer_);
            done += mixed.frames;
            if (!mixed.ended)
                break;
            // A repeating track that ends again at once (a very short one) goes on in the next
            // call. Without repeat a second end finds nothing opened ahead and waits for the loader.
            if (chooser_.repeat() && end_handled)
                break;
            end_handled = true;
            on_track_end(posts);
        }
        if (secondary_.channel)
            secondary_.channel->mix_into(interleaved, scratch_, nullptr);
    }
    posts.send(sink_);
    loader_.after_mix(); // without a loader thread the track ahead is opened here, between two mixes
}
