// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/track_ahead.h"

#include <filesystem>
#include <utility>

TrackAhead::Advance TrackAhead::open_next(const TrackChooser& from, const Playlist& playlist, DecoderOpener opener,
                                          const std::function<bool(const std::string&)>& readable)
{
    Advance advance{from, from, nullptr, TrackKind::none, nullptr, std::nullopt, {}, false};
    for (PlaylistIndex tried = 0; tried < playlist.count(); ++tried) {
        advance.to.choose_next(playlist);
        const TrackEntry* entry = playlist.at(advance.to.current_index());
        if (entry == nullptr)
            break;
        if (entry->kind != TrackKind::none) {
            if (!readable(entry->name)) {
                advance.fetching = true;
                break;
            }
            advance.kind = entry->kind;
            advance.entry = entry;
            advance.module_notice = module_notice(*entry);
            advance.decoder = opener(entry->kind, std::filesystem::path(entry->name));
        }
        if (advance.decoder)
            break;
        advance.unplayable.push_back(entry->name);
        advance.module_notice.reset();
    }
    return advance;
}

bool TrackAhead::should_request(const TrackChooser& chooser, bool current_plays)
{
    if ((!current_plays && !waiting_) || chooser.repeat())
        return false;
    if ((ready_ && ready_->from == chooser) || requested_from_ == chooser)
        return false;
    requested_from_ = chooser;
    return true;
}

std::optional<TrackAhead::Advance> TrackAhead::take_ready(const TrackChooser& chooser)
{
    if (!ready_ || ready_->from != chooser)
        return std::nullopt;
    return std::exchange(ready_, std::nullopt);
}

std::optional<TrackAhead::Advance> TrackAhead::deliver(Advance advance, const TrackChooser& chooser,
                                                       std::optional<Advance>& unused)
{
    if (requested_from_ != advance.from) {
        unused = std::move(advance);
        return std::nullopt;
    }
    unused = std::exchange(ready_, std::nullopt);
    if (waiting_ && chooser == advance.from)
        return advance;
    ready_ = std::move(advance);
    return std::nullopt;
}

void TrackAhead::adopted()
{
    ready_.reset();
    requested_from_.reset();
}
