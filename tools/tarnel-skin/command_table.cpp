// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_table.h"

#include <cstdio>

namespace {

using enum CommandId;

constexpr CommandInfo kCommands[] = {
    {play_current, "", "plays the playlist entry at the current position from its start; resumes it when paused, leaves it alone when playing"},
    {stop_current, "", "stops the playlist's track"},
    {next_track, "", "moves to the next playlist entry (a random one in random order), playing it if a track was playing or paused; the track list view selects it"},
    {previous_track, "", "moves to the entry before (in random order: the one played before), playing it if a track was playing or paused; the track list view selects it"},
    {seek_forward, "", "10 s on in a stream, the next order in a module"},
    {seek_backward, "", "10 s back in a stream, the previous order in a module"},
    {toggle_pause, "", "pauses the playing track, resumes a paused one"},
    {toggle_repeat, "", "repeat of one track on or off; lamps named musiclooped follow"},
    {toggle_random, "", "random order on or off; lamps named musicrandom follow"},
    {play_track, "playlist index (0 is the first track)", "plays that playlist entry"},
    {play_named_track, "string-mapping index of a named track's title", "plays that archive track once on the second channel"},
    {stop_secondary, "", "stops the second channel"},
    {fade_in_named_track, "string-mapping index of a named track's title", "as play_named_track, fading in over music_fade_ms"},
    {fade_out_secondary, "", "fades the second channel out over music_fade_ms, then stops it"},
    {restart_current_faded_in, "", "plays the current playlist entry from its start, fading in over music_fade_ms"},
    {fade_out_current, "", "fades the playlist's track out over music_fade_ms, then stops it"},
    {set_current_volume, "volume 0 to 100", "sets the playlist channel's volume"},
    {set_secondary_volume, "volume 0 to 100", "sets the second channel's volume"},
    {slider_changed, "the slider's slider_id", "posted by sliders; 0x2001 seeks, 0x2002 scrolls the track list view, 0x2003 the text browser"},
    {list_line_activated, "", "plays the track list view's selected line (posted by the view)"},
    {list_scroll_up, "", "scrolls the track list view up one line"},
    {list_scroll_down, "", "scrolls the track list view down one line"},
    {track_changed_by_itself, "", "posted when a track ends and the next one starts; the track list view selects it"},
    {text_scroll_up, "", "scrolls the text browser up one line"},
    {text_scroll_down, "", "scrolls the text browser down one line"},
    {text_back, "", "takes the text browser from a document back to its list of titles"},
    {looped_module_started, "", "posted when a module that loops starts; lamps named modulelooped light"},
    {unlooped_module_started, "", "posted when a module that does not loop starts; lamps named modulelooped go dark"},
    {set_plugin_event, "event code", "hands the code to the plug-ins (until the next commands are processed)"},
    {switch_page, "string-mapping index of a page name", "switches to that page (cross-fade, or the intro's and outro's fades)"},
    {restore_from_tray, "", "takes the window back from the tray"},
    {hide_in_tray, "", "puts the window into the tray"},
    {minimise, "", "minimises the window"},
    {quit, "", "closes the player at once (without the outro)"},
};

} // namespace

std::span<const CommandInfo> command_table()
{
    return kCommands;
}

std::optional<std::uint16_t> command_by_name(std::string_view name)
{
    for (const CommandInfo& info : kCommands)
        if (command_name(command_value(info.id)) == name)
            return command_value(info.id);
    return std::nullopt;
}

std::vector<std::string> command_names()
{
    std::vector<std::string> names;
    for (const CommandInfo& info : kCommands)
        names.emplace_back(command_name(command_value(info.id)).value_or(""));
    return names;
}

std::string commands_markdown()
{
    std::string out = "| name | id | argument | effect |\n|---|---|---|---|\n";
    for (const CommandInfo& info : kCommands) {
        char id[8];
        std::snprintf(id, sizeof id, "0x%04X", command_value(info.id));
        out.append("| `").append(command_name(command_value(info.id)).value_or("")).append("` | ").append(id).append(" | ");
        out.append(info.argument.empty() ? "—" : info.argument).append(" | ").append(info.effect).append(" |\n");
    }
    return out;
}
