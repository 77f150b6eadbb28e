// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_processor.h"

#include "app/track_page_table.h"
#include "base/presentation_names.h"

void CommandProcessor::process_commands()
{
    if (t_.shell.page_switch)
        return;
    t_.shell.plugin_event = 0;
    while (const auto command = t_.queue.take()) {
        execute(*command);
        if (t_.pages.page_count() != 0) {
            if (PageHandlers* page = t_.pages.find_page(t_.shell.current_page))
                page->on_command(command->id, command->argument);
        }
    }
    track_page_check();
}

void CommandProcessor::start_page_switch(std::string_view target)
{
    PageHandlers* target_page = t_.pages.find_page(target);
    if (!target_page)
        return;
    if (PageHandlers* current = t_.pages.find_page(t_.shell.current_page))
        current->on_leave();
    target_page->on_enter();
    t_.shell.page_switch = true;
    t_.shell.next_page = target;
    t_.shell.page_switch_start_ms = t_.clock.now_ms();
}

void CommandProcessor::track_page_check()
{
    if (t_.pages.page_count() == 0 || is_presentation_page(t_.shell.current_page))
        return;
    const auto track_page = track_page_name(t_.audio ? t_.audio->current_index() : 0);
    if (track_page && *track_page != t_.shell.current_page)
        start_page_switch(*track_page);
}

void CommandProcessor::play_named_track(std::uint16_t mapping_index)
{
    t_.audio->stop_secondary();
    const std::string title = t_.mapping.mapping_get(mapping_index);
    t_.audio->play_secondary(t_.audio->find_named_track(title));
}

void CommandProcessor::execute(Command command)
{
    const int fade = t_.shell.fade_ms;
    const std::uint16_t argument = command.argument;

    switch (static_cast<CommandId>(command.id)) {
    case CommandId::set_plugin_event:
        t_.shell.plugin_event = argument;
        return;
    case CommandId::switch_page:
        start_page_switch(t_.mapping.mapping_get(argument));
        return;
    case CommandId::restore_from_tray:
        t_.tray.show_in_tray(false);
        t_.window.show_window();
        return;
    case CommandId::hide_in_tray:
        t_.tray.show_in_tray(true);
        // Hidden without an icon the window could not come back: minimised instead.
        if (t_.tray.icon_shown())
            t_.window.hide_window();
        else
            t_.window.minimise_window();
        return;
    case CommandId::minimise:
        t_.window.minimise_window();
        return;
    case CommandId::quit:
        t_.window.quit();
        return;
    default:
        break;
    }

    AudioOperations* audio = t_.audio;
    if (!audio)
        return;
    switch (static_cast<CommandId>(command.id)) {
    case CommandId::play_current: audio->play_current(); break;
    case CommandId::stop_current: audio->stop_current(); break;
    case CommandId::next_track: audio->next_track(); break;
    case CommandId::previous_track: audio->previous_track(); break;
    case CommandId::seek_forward: audio->seek_forward(); break;
    case CommandId::seek_backward: audio->seek_backward(); break;
    case CommandId::toggle_pause: audio->toggle_pause(); break;
    case CommandId::toggle_repeat: audio->toggle_repeat(); break;
    case CommandId::toggle_random: audio->toggle_random(); break;
    case CommandId::play_track: audio->play_track(argument); break;
    case CommandId::play_named_track: play_named_track(argument); break;
    case CommandId::stop_secondary: audio->stop_secondary(); break;
    case CommandId::fade_in_named_track:
        play_named_track(argument);
        audio->set_secondary_volume(0);
        audio->slide_secondary_volume(100, fade);
        break;
    case CommandId::fade_out_secondary: audio->slide_secondary_volume(AudioOperations::slide_to_stop, fade); break;
    case CommandId::restart_current_faded_in:
        audio->stop_current();
        audio->play_current();
        audio->set_current_volume(0);
        audio->slide_current_volume(100, fade);
        break;
    case CommandId::fade_out_current: audio->slide_current_volume(AudioOperations::slide_to_stop, fade); break;
    case CommandId::set_current_volume: audio->set_current_volume(argument); break;
    case CommandId::set_secondary_volume: audio->set_secondary_volume(argument); break;
    default: break; // every other id only reaches the page
    }
}
