// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/track_chooser.h"

#include <algorithm>

void TrackChooser::reset()
{
    current_index_ = 0;
    previous_index_ = 0;
    repeat_ = false;
    random_ = false;
}

std::int32_t TrackChooser::draw(std::int32_t count)
{
    return generator_.next() % count;
}

// Whether a draw can reach an eligible entry other than `except`. Draws never exceed
// RandomGenerator::max, so entries beyond it cannot be drawn.
bool TrackChooser::any_eligible(const Playlist& playlist, PlaylistIndex except) const
{
    const std::int32_t reachable = std::min(playlist.count(), RandomGenerator::max + 1);
    for (std::int32_t i = 0; i < reachable; ++i) {
        if (i != except && playlist.eligible(i))
            return true;
    }
    return false;
}

void TrackChooser::choose_next(const Playlist& playlist)
{
    const PlaylistIndex count = playlist.count();
    if (random_) {
        if (!any_eligible(playlist, current_index_))
            return;
        previous_index_ = current_index_;
        PlaylistIndex index = 0;
        do {
            index = draw(count);
        } while (index == previous_index_ || !playlist.eligible(index));
        current_index_ = index;
        return;
    }
    // Sequential: after `count` steps the walk is back where it began, so that entry
    // counts too (a playlist of one eligible track plays it again).
    for (std::int32_t step = 1; step <= count; ++step) {
        const PlaylistIndex index = (current_index_ + step) % count;
        if (playlist.eligible(index)) {
            previous_index_ = current_index_;
            current_index_ = index;
            return;
        }
    }
}

void TrackChooser::choose_previous(const Playlist& playlist)
{
    const PlaylistIndex count = playlist.count();
    if (random_) {
        if (previous_index_ != -1 && playlist.eligible(previous_index_)) {
            current_index_ = previous_index_;
        } else if (any_eligible(playlist, -1)) {
            PlaylistIndex index = 0;
            do {
                index = draw(count);
            } while (!playlist.eligible(index));
            current_index_ = index;
        }
        previous_index_ = -1;
        return;
    }
    for (std::int32_t step = 1; step <= count; ++step) {
        const PlaylistIndex index = ((current_index_ - step) % count + count) % count;
        if (playlist.eligible(index)) {
            current_index_ = index;
            break;
        }
    }
    previous_index_ = -1;
}

bool TrackChooser::select(const Playlist& playlist, PlaylistIndex index)
{
    if (!playlist.eligible(index))
        return false;
    current_index_ = index;
    return true;
}
