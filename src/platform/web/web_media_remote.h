// SPDX-License-Identifier: GPL-3.0-or-later
// WebMediaRemote: the browser's media controls and media keys (navigator.mediaSession): the
// track's title as metadata, the playback state and the position. The page's action handlers
// (web/player.js) post media_request events, as MPRIS requests do on Linux desktops.
// Main thread only.
#pragma once

#include "platform/media_remote.h"

#include <optional>

class WebMediaRemote final : public MediaRemote {
public:
    void publish(const MediaState& state) override;
    void seeked(std::int64_t position_us) override;

private:
    std::optional<MediaState> shown_;
};
