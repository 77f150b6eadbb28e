// SPDX-License-Identifier: GPL-3.0-or-later
// CommandProcessor: executes queued commands (process_commands) and starts page switches.
// Each drain takes the queue newest first, executes every command by the command table,
// hands it to the current page's on_command, and ends with the track page check, which keeps
// the displayed page in step with the playlist index. Nothing drains while a page switch
// runs. All collaborators are borrowed and must outlive the processor; `audio` may be
// nullptr (no engine: audio commands do nothing and the playlist index counts as 0).
// UI thread only.
#pragma once

#include "app/command_queue.h"
#include "app/page_registry_view.h"
#include "app/shell_state.h"
#include "app/shell_window.h"
#include "app/string_mapping.h"
#include "app/tray_icon.h"
#include "audio/audio_operations.h"
#include "platform/clock.h"

#include <string_view>

class CommandProcessor {
public:
    struct Targets {
        CommandQueue& queue;
        ShellState& shell;
        const Clock& clock;
        const PageRegistryView& pages;
        const StringMapping& mapping;
        TrayIcon& tray;
        ShellWindow& window;
        AudioOperations* audio = nullptr;
    };

    explicit CommandProcessor(Targets targets) : t_(targets) {}

    // Drains the queue and runs the track page check; returns at once while a page switch
    // runs. Throws what mapping_get throws for an index the string mapping does not hold.
    void process_commands();

    // Starts a page switch to `target`: the current page's on_leave, the target's on_enter,
    // then the switch request with the Clock's time. A name no page carries starts nothing.
    void start_page_switch(std::string_view target);

private:
    void execute(Command command);
    void play_named_track(std::uint16_t mapping_index);
    void track_page_check();

    Targets t_;
};
