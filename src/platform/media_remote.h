// SPDX-License-Identifier: GPL-3.0-or-later
// MediaRemote: the desktop's remote control of media players (MPRIS on Linux desktops: media
// keys, panel widgets, playerctl). The player publishes what it plays; what the desktop asks
// for comes back as media_request events through the EventSource, which the player turns into
// the same commands its skin's controls post. UI thread only.
#pragma once

#include <cstdint>
#include <string>

enum class PlaybackState : std::uint8_t { stopped, playing, paused };

// What the player plays, as the desktop sees it. Texts are skin byte strings; times are
// microseconds, a length of 0 meaning unknown.
struct MediaState {
    PlaybackState playback = PlaybackState::stopped;
    bool repeat = false;  // the current track loops
    bool shuffle = false; // random order
    std::int32_t track = 0;       // playlist index
    std::int32_t track_count = 0; // playlist length
    std::string title;
    std::string file; // absolute path of the track's file; empty when there is none
    std::int64_t length_us = 0;
    std::int64_t position_us = 0;
    std::int32_t volume = 100; // 0..100

    friend bool operator==(const MediaState&, const MediaState&) = default;
};

// What a media_request event asks for; Event::media_value carries the argument.
enum class MediaRequest : std::uint8_t {
    play,
    pause,
    play_pause,
    stop,
    next,
    previous,
    seek,         // by media_value microseconds (negative: back)
    set_position, // to media_value microseconds of the current track
    set_repeat,   // media_value 1 on, 0 off
    set_shuffle,  // media_value 1 on, 0 off
    set_volume,   // to media_value, 0..100
    raise,        // bring the window back (from the tray)
    quit,
};

class MediaRemote {
public:
    virtual ~MediaRemote() = default;

    // The state now; the desktop is told of every change except the steady move of the
    // position, which it reads when it needs it.
    virtual void publish(const MediaState& state) = 0;
    // The position jumped (a seek) to `position_us`.
    virtual void seeked(std::int64_t position_us) = 0;
};
