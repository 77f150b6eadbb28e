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
    for (std::size_t i = 0; i < count_; ++i)
        sink.post_command(commands_[i].id, commands_[i].argument);
}

AudioEngine::AudioEngine(CommandSink& sink, const DataArchive& archive)
    : sink_(sink), archive_(archive), scratch_(2 * mix_block_frames)
{
}

void AudioEngine::add_playlist_track(std::string title, std::string file)
{
    playlist_.insert_front(make_track_entry(std::move(file), false));
    titles_.insert_front(std::move(title));
}

void AudioEngine::add_named_track(std::string key, std::string file)
{
    named_tracks_.insert(std::move(key), std::make_unique<TrackEntry>(make_track_entry(std::move(file), true)));
}

void AudioEngine::reset_audio_state()
{
    std::lock_guard lock(mutex_);
    chooser_.reset();
}

// Frees what the slot held before opening anything, so two decoders never coexist in a slot.
void AudioEngine::open_into(Slot& slot, const TrackEntry& entry, bool loops, PendingPosts& posts)
{
    if (entry.kind == TrackKind::none)
        return;
    slot.channel.reset();
    TrackSource source = std::filesystem::path(entry.name);
    if (entry.stored_in_archive)
        source = archive_.find_file(entry.name);
    else if (entry.kind == TrackKind::module)
        posts.add(entry.name.find("loop") != std::string::npos ? CommandId::looped_module_started : CommandId::unlooped_module_started);
    slot.kind = entry.kind;
    if (auto decoder = open_decoder(entry.kind, source))
        slot.channel.emplace(std::move(decoder), loops);
}

void AudioEngine::play_current()
{
    PendingPosts posts;
    {
        std::lock_guard lock(mutex_);
        play_current_locked(posts);
    }
    posts.send(sink_);
}

void AudioEngine::play_current_locked(PendingPosts& posts)
{
    if (current_.channel) {
        current_.channel->resume();
        if (current_.channel->activity() == Channel::playing)
            return;
    }
    const TrackEntry* entry = playlist_.at(chooser_.current_index());
    if (entry == nullptr)
        return;
    open_into(current_, *entry, true, posts);
    if (current_.channel)
        analyzer_.clear();
}

void AudioEngine::stop_current()
{
    std::lock_guard lock(mutex_);
    current_.channel.reset();
}

void AudioEngine::toggle_pause()
{
    std::lock_guard lock(mutex_);
    if (!current_.channel)
        return;
    if (current_.channel->activity() == Channel::playing)
        current_.channel->pause();
    else
        current_.channel->resume();
}

void AudioEngine::seek_forward()
{
    std::lock_guard lock(mutex_);
    if (!current_.channel)
        return;
    Decoder& decoder = current_.channel->decoder();
    const std::int64_t step = current_.kind == TrackKind::stream ? stream_seek_frames : 1;
    const std::int64_t target = decoder.position() + step;
    // A stream stops short of its end; a module stops at its last order.
    if (current_.kind == TrackKind::stream ? target < decoder.length() : target <= decoder.length())
        decoder.set_position(target);
}

void AudioEngine::seek_backward()
{
    std::lock_guard lock(mutex_);
    if (!current_.channel)
        return;
    Decoder& decoder = current_.channel->decoder();
    const std::int64_t step = current_.kind == TrackKind::stream ? stream_seek_frames : 1;
    const std::int64_t target = decoder.position() - step;
    if (target >= 0)
        decoder.set_position(target);
}

void AudioEngine::seek_percent(float percent)
{
    std::lock_guard lock(mutex_);
    if (!current_.channel || current_.channel->activity() != Channel::playing)
        return;
    Decoder& decoder = current_.channel->decoder();
    const float length = static_cast<float>(decoder.length());
    const auto target = static_cast<std::int64_t>(std::trunc(length * percent * 0.01f));
    // Positions exist up to the last frame of a stream, and up to the last order of a module.
    const std::int64_t last = current_.kind == TrackKind::stream ? decoder.length() - 1 : decoder.length();
    if (target >= 0 && target <= last)
        decoder.set_position(target);
}

float AudioEngine::playback_fraction() const
{
    std::lock_guard lock(mutex_);
    if (!current_.channel || activity_locked() == 0)
        return 0.0f;
    const Decoder& decoder = current_.channel->decoder();
    return decoder.length() > 0 ? static_cast<float>(decoder.position()) / static_cast<float>(decoder.length()) : 0.0f;
}

AudioEngine::TrackTime AudioEngine::track_time() const
{
    std::lock_guard lock(mutex_);
    TrackTime time;
    if (!current_.channel)
        return time;
    time.volume = static_cast<int>(std::lround(current_.channel->volume()));
    if (current_.kind != TrackKind::stream || activity_locked() == Channel::stopped)
        return time;
    const Decoder& decoder = current_.channel->decoder();
    const auto microseconds = [](std::int64_t frames) { return frames * 1'000'000 / AudioDevice::sample_rate; };
    time.position_us = microseconds(decoder.position());
    time.length_us = microseconds(decoder.length());
    return time;
}

Channel::Activity AudioEngine::current_activity() const
{
    std::lock_guard lock(mutex_);
    return activity_locked();
}

Channel::Activity AudioEngine::activity_locked() const
{
    return current_.channel ? current_.channel->activity() : Channel::stopped;
}

// The current-volume commands address the channel of the kind of the entry at the current
// index; when that is not the kind playing, they reach nothing.
Channel* AudioEngine::current_volume_target()
{
    const TrackEntry* entry = playlist_.at(chooser_.current_index());
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
    if (activity_locked() != Channel::stopped)
        analyzer_.compute(spectrum_buffer_);
    return spectrum_buffer_;
}

void AudioEngine::play_secondary(const TrackEntry* track)
{
    PendingPosts posts;
    {
        std::lock_guard lock(mutex_);
        secondary_.channel.reset();
        if (track != nullptr)
            open_into(secondary_, *track, false, posts);
    }
    posts.send(sink_);
}

void AudioEngine::stop_secondary()
{
    std::lock_guard lock(mutex_);
    secondary_.channel.reset();
}

void AudioEngine::set_secondary_volume(int volume)
{
    std::lock_guard lock(mutex_);
    if (secondary_.channel && secondary_.channel->activity() != Channel::stopped)
        secondary_.channel->set_volume(volume);
}

void AudioEngine::slide_secondary_volume(int target, std::uint32_t duration_ms)
{
    std::lock_guard lock(mutex_);
    if (secondary_.channel && secondary_.channel->activity() != Channel::stopped)
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
    {
        std::lock_guard lock(mutex_);
        const bool was_active = activity_locked() != Channel::stopped;
        current_.channel.reset();
        (chooser_.*choose)(playlist_);
        if (was_active)
            play_current_locked(posts);
    }
    posts.send(sink_);
}

void AudioEngine::play_track(std::int32_t index)
{
    PendingPosts posts;
    {
        std::lock_guard lock(mutex_);
        if (!chooser_.select(playlist_, index))
            return;
        current_.channel.reset();
        play_current_locked(posts);
    }
    posts.send(sink_);
}

void AudioEngine::toggle_repeat()
{
    std::lock_guard lock(mutex_);
    chooser_.toggle_repeat();
}

void AudioEngine::toggle_random()
{
    std::lock_guard lock(mutex_);
    chooser_.toggle_random();
}

std::int32_t AudioEngine::current_index() const
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

// The current channel has reached its end and (looping) already gone back to its start.
void AudioEngine::on_track_end(PendingPosts& posts)
{
    if (chooser_.repeat())
        return;
    current_.channel.reset();
    chooser_.choose_next(playlist_);
    play_current_locked(posts);
    posts.add(CommandId::track_changed_by_itself);
}

void AudioEngine::render(std::span<float> interleaved)
{
    std::ranges::fill(interleaved, 0.0f);
    PendingPosts posts;
    {
        std::lock_guard lock(mutex_);
        const std::size_t frames = interleaved.size() / 2;
        std::size_t done = 0;
        bool end_handled = false;
        while (done < frames && current_.channel) {
            const Channel::MixResult mixed = current_.channel->mix_into(interleaved.subspan(2 * done), scratch_, &analyzer_);
            done += mixed.frames;
            // A track that ends again at once (a very short one) goes on in the next call.
            if (!mixed.ended || end_handled)
                break;
            end_handled = true;
            on_track_end(posts);
        }
        if (secondary_.channel)
            secondary_.channel->mix_into(interleaved, scratch_, nullptr);
    }
    posts.send(sink_);
}
