// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/media_link.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr std::int64_t seek_step_us = AudioEngine::stream_seek_frames * 1'000'000 / AudioDevice::sample_rate;
constexpr std::int64_t jump_tolerance_us = 1'000'000;

PlaybackState playback_of(Channel::Activity activity)
{
    switch (activity) {
    case Channel::Activity::playing: return PlaybackState::playing;
    case Channel::Activity::paused: return PlaybackState::paused;
    case Channel::Activity::stopped: break;
    }
    return PlaybackState::stopped;
}

} // namespace

void MediaLink::handle(const Event& event)
{
    if (event.kind != EventKind::media_request)
        return;
    const std::int64_t value = event.media_value;
    const PlaybackState playback = playback_of(t_.engine.current_activity());
    switch (event.media_request) {
    case MediaRequest::play: post(CommandId::play_current); break;
    case MediaRequest::pause:
        if (playback == PlaybackState::playing)
            post(CommandId::toggle_pause);
        break;
    case MediaRequest::play_pause:
        post(playback == PlaybackState::stopped ? CommandId::play_current : CommandId::toggle_pause);
        break;
    case MediaRequest::stop: post(CommandId::stop_current); break;
    case MediaRequest::next: post(CommandId::next_track); break;
    case MediaRequest::previous: post(CommandId::previous_track); break;
    case MediaRequest::seek: {
        // The skin's buttons move a module by orders: modules move by the time asked for.
        if (const AudioEngine::TrackTime time = t_.engine.track_time(); time.kind == TrackKind::module) {
            seek_module(time, value);
            break;
        }
        // The skin's seek buttons move a stream 10 s a press: as many presses as come nearest,
        // at least one. Clamped first, so that no offset overflows.
        constexpr std::int64_t farthest = max_seek_steps * seek_step_us;
        const std::int64_t distance = std::abs(std::clamp(value, -farthest, farthest));
        const auto steps = std::clamp<std::int64_t>((distance + seek_step_us / 2) / seek_step_us, value != 0,
                                                    max_seek_steps);
        for (std::int64_t i = 0; i < steps; ++i)
            post(value > 0 ? CommandId::seek_forward : CommandId::seek_backward);
        break;
    }
    case MediaRequest::set_position: {
        const AudioEngine::TrackTime time = t_.engine.track_time();
        if (time.length_us > 0 && value >= 0 && value <= time.length_us)
            t_.engine.seek_to_time(value);
        break;
    }
    case MediaRequest::set_repeat:
        if (t_.engine.repeat() != (value != 0))
            post(CommandId::toggle_repeat);
        break;
    case MediaRequest::set_shuffle:
        if (t_.engine.random() != (value != 0))
            post(CommandId::toggle_random);
        break;
    case MediaRequest::set_volume:
        post(CommandId::set_current_volume, static_cast<std::uint16_t>(std::clamp<std::int64_t>(value, 0, 100)));
        break;
    case MediaRequest::raise: post(CommandId::restore_from_tray); break;
    case MediaRequest::quit: post(CommandId::quit); break;
    }
}

void MediaLink::seek_module(const AudioEngine::TrackTime& time, std::int64_t offset_us)
{
    // As the media remote asks: not before the start; past the end is the next track. The
    // sum cannot overflow: the position is at least 0 and the offset below the room ahead.
    if (offset_us >= time.length_us - time.position_us)
        post(CommandId::next_track);
    else
        t_.engine.seek_to_time(std::max<std::int64_t>(0, time.position_us + offset_us));
}

MediaState MediaLink::current_state() const
{
    const AudioEngine::Snapshot now = t_.engine.snapshot();
    MediaState state;
    state.playback = playback_of(now.activity);
    state.repeat = now.repeat;
    state.shuffle = now.random;
    state.track = now.index;
    state.track_count = t_.engine.track_count();
    state.title = t_.engine.titles().title(state.track);
    if (last_ && last_->state.track == state.track) {
        state.file = last_->state.file;
    } else if (const TrackEntry* entry = t_.engine.playlist().at(state.track); entry && entry->eligible()) {
        std::error_code error;
        state.file = std::filesystem::absolute(entry->name, error).lexically_normal().string();
    }
    state.length_us = now.time.length_us;
    state.position_us = now.time.position_us;
    state.volume = now.time.volume;
    return state;
}

void MediaLink::publish()
{
    const std::uint64_t now = t_.clock.now_ms();
    MediaState state = current_state();
    // Only tracks of known length have a position in time; a track change is not a seek.
    if (last_ && last_->state.track == state.track && state.length_us > 0 && last_->state.length_us > 0) {
        std::int64_t expected = last_->state.position_us;
        if (last_->state.playback == PlaybackState::playing)
            expected += static_cast<std::int64_t>(now - last_->at_ms) * 1000;
        if (std::abs(state.position_us - expected) > jump_tolerance_us)
            t_.remote.seeked(state.position_us);
    }
    t_.remote.publish(state);
    last_ = Sample{std::move(state), now};
}
