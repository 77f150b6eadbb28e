// SPDX-License-Identifier: GPL-3.0-or-later
// Command: the player's one action vocabulary, a pair of unsigned 16-bit values. Skins may
// store and post any id; CommandId names every id the player itself acts on or posts, and is
// the only place those numbers are written down.
// CommandSink: where controls, the tray and the audio engine post commands. Posting never
// executes anything; the command processor drains the queue later on the UI thread.
// Implementations must accept post_command from any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

enum class CommandId : std::uint16_t {
    // Executed by the command processor.
    play_current = 0x1001,
    stop_current = 0x1002,
    next_track = 0x1003,
    previous_track = 0x1004,
    seek_forward = 0x1005,
    seek_backward = 0x1006,
    toggle_pause = 0x1007,
    toggle_repeat = 0x1008,
    toggle_random = 0x1009,
    play_track = 0x1010,               // argument: playlist index
    play_named_track = 0x1011,         // argument: string-mapping index of a named track
    stop_secondary = 0x1012,
    fade_in_named_track = 0x1013,      // argument: string-mapping index of a named track
    fade_out_secondary = 0x1014,
    restart_current_faded_in = 0x1015,
    fade_out_current = 0x1016,
    set_current_volume = 0x1017,       // argument: volume 0..100
    set_secondary_volume = 0x1018,     // argument: volume 0..100
    set_plugin_event = 0x7001,         // argument: event code for the plug-ins
    switch_page = 0x8001,              // argument: string-mapping index of a page name
    restore_from_tray = 0xfffc,
    hide_in_tray = 0xfffd,
    minimise = 0xfffe,
    quit = 0xffff,
    // Posted for the current page to follow; the processor does nothing with them.
    slider_changed = 0x2000,           // argument: the slider's identifier
    list_line_activated = 0x4000,
    list_scroll_up = 0x4001,
    list_scroll_down = 0x4002,
    track_changed_by_itself = 0x4003,  // posted by the audio engine
    text_scroll_up = 0x5001,
    text_scroll_down = 0x5002,
    text_back = 0x5003,
    looped_module_started = 0x6001,    // posted by the audio engine
    unlooped_module_started = 0x6002,  // posted by the audio engine
};

// The name of a known id (as written above), or nothing for any other value.
std::optional<std::string_view> command_name(std::uint16_t id);

constexpr std::uint16_t command_value(CommandId id)
{
    return static_cast<std::uint16_t>(id);
}

struct Command {
    std::uint16_t id = 0;
    std::uint16_t argument = 0;

    friend bool operator==(const Command&, const Command&) = default;
};

// The command of a known id with `argument`.
constexpr Command command_of(CommandId id, std::uint16_t argument = 0)
{
    return Command{command_value(id), argument};
}

class CommandSink {
public:
    virtual void post_command(std::uint16_t id, std::uint16_t argument) = 0;
    void post_command(CommandId id, std::uint16_t argument = 0) { post_command(command_value(id), argument); }
    void post_command(const Command& command) { post_command(command.id, command.argument); }

protected:
    ~CommandSink() = default;
};
