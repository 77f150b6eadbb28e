// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/command.h"

std::optional<std::string_view> command_name(std::uint16_t id)
{
    switch (static_cast<CommandId>(id)) {
    case CommandId::play_current: return "play_current";
    case CommandId::stop_current: return "stop_current";
    case CommandId::next_track: return "next_track";
    case CommandId::previous_track: return "previous_track";
    case CommandId::seek_forward: return "seek_forward";
    case CommandId::seek_backward: return "seek_backward";
    case CommandId::toggle_pause: return "toggle_pause";
    case CommandId::toggle_repeat: return "toggle_repeat";
    case CommandId::toggle_random: return "toggle_random";
    case CommandId::play_track: return "play_track";
    case CommandId::play_named_track: return "play_named_track";
    case CommandId::stop_secondary: return "stop_secondary";
    case CommandId::fade_in_named_track: return "fade_in_named_track";
    case CommandId::fade_out_secondary: return "fade_out_secondary";
    case CommandId::restart_current_faded_in: return "restart_current_faded_in";
    case CommandId::fade_out_current: return "fade_out_current";
    case CommandId::set_current_volume: return "set_current_volume";
    case CommandId::set_secondary_volume: return "set_secondary_volume";
    case CommandId::set_plugin_event: return "set_plugin_event";
    case CommandId::switch_page: return "switch_page";
    case CommandId::restore_from_tray: return "restore_from_tray";
    case CommandId::hide_in_tray: return "hide_in_tray";
    case CommandId::minimise: return "minimise";
    case CommandId::quit: return "quit";
    case CommandId::slider_changed: return "slider_changed";
    case CommandId::list_line_activated: return "list_line_activated";
    case CommandId::list_scroll_up: return "list_scroll_up";
    case CommandId::list_scroll_down: return "list_scroll_down";
    case CommandId::track_changed_by_itself: return "track_changed_by_itself";
    case CommandId::text_scroll_up: return "text_scroll_up";
    case CommandId::text_scroll_down: return "text_scroll_down";
    case CommandId::text_back: return "text_back";
    case CommandId::looped_module_started: return "looped_module_started";
    case CommandId::unlooped_module_started: return "unlooped_module_started";
    }
    return std::nullopt;
}
