// SPDX-License-Identifier: GPL-3.0-or-later
// MediaLink: the player's side of the desktop's media remote. handle() turns a media_request
// event into the commands a skin's controls post (play_current, stop_current, next_track,
// previous_track, a stream's seek buttons' 10 s steps, toggle_pause, toggle_repeat,
// toggle_random, set_current_volume, restore_from_tray, quit), so pages and lamps react as to a
// click; a module seeks by the time asked for, and a position to go to is gone to directly.
// publish() tells the remote what plays now, and of a jump in the position. Borrows
// everything. UI thread only.
#pragma once

#include "audio/audio_engine.h"
#include "base/command.h"
#include "platform/clock.h"
#include "platform/event.h"
#include "platform/media_remote.h"

#include <optional>

class MediaLink {
public:
    struct Targets {
        MediaRemote& remote;
        CommandSink& commands;
        AudioEngine& engine;
        const Clock& clock;
    };

    // Most seek steps one request may post: more than any stream's or module's worth.
    static constexpr int max_seek_steps = 256;

    explicit MediaLink(Targets targets) : t_(targets) {}

    // Acts on a media_request event; other events are ignored.
    void handle(const Event& event);
    // Publishes the state now, with a seeked() first when the position jumped by more than a
    // second from where the clock says steady playing would have taken it.
    void publish();

private:
    MediaState current_state() const;
    // Moves a module by `offset_us` from where it plays (`time`).
    void seek_module(const AudioEngine::TrackTime& time, std::int64_t offset_us);
    void post(CommandId id, std::uint16_t argument = 0) { t_.commands.post_command(id, argument); }

    Targets t_;
    struct Sample {
        MediaState state;
        std::uint64_t at_ms = 0;
    };
    std::optional<Sample> last_;
};
