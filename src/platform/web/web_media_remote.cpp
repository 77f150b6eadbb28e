// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web/web_media_remote.h"

#include "base/desktop_text.h"

#include <emscripten.h>

namespace {

EM_JS(void, media_session_show, (const char* title, int playback, double length_s, double position_s), {
    Module.vorlundePage.showMediaState(UTF8ToString(title), ['none', 'playing', 'paused'][playback], length_s, position_s);
});

double seconds(std::int64_t microseconds)
{
    return static_cast<double>(microseconds) / 1e6;
}

} // namespace

void WebMediaRemote::publish(const MediaState& state)
{
    // The position moves steadily; the browser reads it from the last state it was given.
    if (shown_) {
        MediaState moved = *shown_;
        moved.position_us = state.position_us;
        if (moved == state)
            return;
    }
    shown_ = state;
    media_session_show(to_desktop_text(state.title).c_str(), static_cast<int>(state.playback), seconds(state.length_us),
                       seconds(state.position_us));
}

void WebMediaRemote::seeked(std::int64_t position_us)
{
    if (!shown_)
        return;
    shown_->position_us = position_us;
    media_session_show(to_desktop_text(shown_->title).c_str(), static_cast<int>(shown_->playback), seconds(shown_->length_us),
                       seconds(position_us));
}
