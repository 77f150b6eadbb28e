// SPDX-License-Identifier: GPL-3.0-or-later
// HeadlessMediaRemote: a MediaRemote that keeps what the player told it: every distinct state
// published, in order, and every seek. Requests are made by the test as media_request events.
// Not thread-safe.
#pragma once

#include "platform/media_remote.h"

#include <vector>

class HeadlessMediaRemote final : public MediaRemote {
public:
    void publish(const MediaState& state) override
    {
        if (states_.empty() || states_.back() != state)
            states_.push_back(state);
    }
    void seeked(std::int64_t position_us) override { seeks_.push_back(position_us); }

    const std::vector<MediaState>& states() const { return states_; }
    const std::vector<std::int64_t>& seeks() const { return seeks_; }

private:
    std::vector<MediaState> states_;
    std::vector<std::int64_t> seeks_;
};
