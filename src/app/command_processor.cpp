#include "app/command_processor.h"

#include "app/track_page_table.h"

namespace {

bool is_presentation_page(std::string_view name)
{
    return name == "intro" || name == "outro";
}

} // namespace

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

    switch (command.id) {
    case 0x7001:
        t_.shell.plugin_event = argument;
        return;
    case 0x8001:
        start_page_switch(t_.mapping.mapping_get(argument));
        return;
    case 0xfffc:
        t_.tray.show_in_tray(false);
        t_.window.show_window();
        return;
    case 0xfffd:
        t_.tray.show_in_tray(true);
        t_.window.hide_window();
        return;
    case 0xfffe:
        t_.window.minimise_window();
        return;
    case 0xffff:
        t_.window.quit();
        return;
    default:
        break;
    }

    AudioOperations* audio = t_.audio;
    if (!audio)
        return;
    switch (command.id) {
    case 0x1001: audio->play_current(); break;
    case 0x1002: audio->stop_current(); break;
    case 0x1003: audio->next_track(); break;
    case 0x1004: audio->previous_track(); break;
    case 0x1005: audio->seek_forward(); break;
    case 0x1006: audio->seek_backward(); break;
    case 0x1007: audio->toggle_pause(); break;
    case 0x1008: audio->toggle_repeat(); break;
    case 0x1009: audio->toggle_random(); break;
    case 0x1010: audio->play_track(argument); break;
    case 0x1011: play_named_track(argument); break;
    case 0x1012: audio->stop_secondary(); break;
    case 0x1013:
        play_named_track(argument);
        audio->set_secondary_volume(0);
        audio->slide_secondary_volume(100, fade);
        break;
    case 0x1014: audio->slide_secondary_volume(AudioOperations::slide_to_stop, fade); break;
    case 0x1015:
        audio->stop_current();
        audio->play_current();
        audio->set_current_volume(0);
        audio->slide_current_volume(100, fade);
        break;
    case 0x1016: audio->slide_current_volume(AudioOperations::slide_to_stop, fade); break;
    case 0x1017: audio->set_current_volume(argument); break;
    case 0x1018: audio->set_secondary_volume(argument); break;
    default: break; // 0x100A-0x100F and unknown ids only reach the page
    }
}
