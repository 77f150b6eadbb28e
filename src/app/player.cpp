// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/player.h"

#include "app/window_placement.h"
#include "audio/tracklists.h"
#include "base/desktop_text.h"
#include "base/named_list.h"
#include "config/config_head.h"

#include <algorithm>
#include <deque>
#include <iostream>
#include <utility>

namespace {

// The sooner of two optional delays (nullopt: none).
std::optional<std::chrono::milliseconds> sooner(std::optional<std::chrono::milliseconds> a,
                                                std::optional<std::chrono::milliseconds> b)
{
    if (a && b)
        return std::min(*a, *b);
    return a ? a : b;
}

} // namespace

Player::Player(Platform& platform, std::filesystem::path skin_dir)
    : platform_(platform),
      skin_dir_(std::move(skin_dir)),
      skin_(std::make_unique<LoadedSkin>(platform_, skin_dir_))
{
    // The audio thread's commands (a track ended) wake the sleeping loop at once.
    queue_.set_wake_up([&events = platform_.events()] { events.wake_up(); });
}

Player::~Player() = default;

int Player::run()
{
    int status = 0;
    try {
        start_up();
        main_loop();
    } catch (const std::exception& error) {
        report_error(error.what());
        status = 1;
    } catch (...) {
        report_error("unknown error");
        status = 1;
    }
    shut_down();
    return status;
}

void Player::start_up()
{
    load_skin();
    write_warnings();
    audio_init();
    make_presentation();
    presentation_->presentation_start();
    if (MediaRemote* remote = platform_.media_remote())
        media_link_.emplace(MediaLink::Targets{*remote, queue_, *audio_engine_, platform_.clock()});
}

void Player::load_skin()
{
    const ConfigHead head = read_config_head(skin_dir_ / "tarnel.cfg");
    shell_.window_title = head.title;
    shell_.window_width = head.width;
    shell_.window_height = head.height;
    create_main_window();
    load_configuration();
    skin_->archive.release_pages(); // the pictures are decoded and the fonts written out
}

void Player::create_main_window()
{
    const std::int32_t width = shell_.window_width;
    const std::int32_t height = shell_.window_height;
    const auto [x, y] = centred_origin(platform_.desktop_rect(), width, height);
    window_ = platform_.create_window(WindowSpec{shell_.window_title, x, y, width, height});
    if (window_->layered()) {
        // Layered: shown at once, invisible until the presentation raises the alpha.
        window_->set_colour_key(true, 0xFFFFFF);
        window_->set_alpha(0);
        window_->show();
    }
    back_buffer_.emplace(width, height);
    audio_engine_.emplace(queue_, skin_->archive);
    audio_engine_->reset_audio_state();
    tray_icon_.emplace(platform_.tray(), shell_.tray_tip);
    connect_input();
    platform_.events().start_timer(timer_period);
    timer_running_ = true;
}

void Player::connect_input()
{
    processor_.emplace(CommandProcessor::Targets{
        queue_, shell_, platform_.clock(), skin_->pages, skin_->mapping, *tray_icon_, *this, &*audio_engine_});
    router_.emplace(MessageRouter::Targets{
        shell_, platform_.clock(), skin_->pages, *tray_icon_, *window_, queue_, *this});
}

void Player::make_presentation()
{
    presentation_.emplace(Presentation::Targets{shell_, platform_.clock(), skin_->pages, *window_, *back_buffer_,
                                                skin_->archive, *tray_icon_, skin_->plugins, *audio_engine_,
                                                skin_->fonts, *this});
}

LoadTargets Player::load_targets(ShellState& shell, LoadedSkin& skin, Tracklists& tracklists)
{
    return LoadTargets{shell,
                       skin.archive,
                       skin.pages,
                       platform_.clock(),
                       queue_,
                       PageLinks{&*back_buffer_, &*audio_engine_, &skin.plugins},
                       tracklists,
                       skin.mapping,
                       *tray_icon_,
                       skin.fonts,
                       skin.plugins,
                       window_->layered(),
                       window_->frame_scale()};
}

void Player::load_configuration()
{
    Tracklists tracklists;
    LoadTargets targets = load_targets(shell_, *skin_, tracklists);
    load_config(skin_dir_, targets, warnings_);
    use_back_buffer_scale(targets.twice_size_art ? 2 : 1);
    audio_engine_->use_tracklists(std::move(tracklists));
    tray_icon_->publish_menu();
}

void Player::reload_skin()
{
    auto skin = std::make_unique<LoadedSkin>(platform_, skin_dir_);
    ShellState loaded; // what the skin sets: title, size, timing, tray tip, start page
    Tracklists tracklists;
    NamedList<Region> regions;
    int scale = 1; // the back buffer's for the new skin
    std::deque<TrayIcon::Item> running_items = tray_icon_->take_items();
    try {
        LoadTargets targets = load_targets(loaded, *skin, tracklists);
        load_config(skin_dir_, targets, warnings_);
        scale = targets.twice_size_art ? 2 : 1;
        regions = Presentation::build_regions(skin->archive, loaded.window_width, loaded.window_height, scale);
        skin->archive.release_pages();
    } catch (const std::exception& error) {
        tray_icon_->set_items(std::move(running_items));
        write_warnings();
        std::cerr << to_message_line("can't reload the skin: " + std::string(error.what())) << std::endl;
        return;
    }
    write_warnings();

    // From here on nothing reads the old skin: the engine first (the mixer and the loader
    // thread), then the parts that point into it are made again for the new one.
    audio_engine_->reload_tracklists(std::move(tracklists), skin->archive);
    presentation_.reset();
    router_.reset();
    processor_.reset();
    skin_.swap(skin);
    const bool new_window = fit_window(loaded);
    shell_.page_switch_ms = loaded.page_switch_ms;
    shell_.fade_ms = loaded.fade_ms;
    shell_.glow_step = loaded.glow_step;
    shell_.tray_tip = loaded.tray_tip;
    if (!skin_->pages.find_page(shell_.current_page))
        shell_.current_page = loaded.current_page;
    shell_.page_switch = false;
    if (!skin_->pages.find_page(shell_.next_page))
        shell_.next_page = shell_.current_page;
    use_back_buffer_scale(scale);
    connect_input();
    make_presentation();
    presentation_->presentation_resume(std::move(regions));
    if (new_window && !tray_icon_->icon_shown())
        window_->show();
    tray_icon_->publish_menu();
    // `skin` now holds the old skin, which goes here.
}

void Player::use_back_buffer_scale(int scale)
{
    back_buffer_->set_scale(scale);
    skin_->plugins.set_surface(back_buffer_->canvas().data(), back_buffer_->width(), back_buffer_->height(),
                               back_buffer_->width());
}

bool Player::fit_window(const ShellState& loaded)
{
    const bool same = loaded.window_title == shell_.window_title && loaded.window_width == shell_.window_width &&
                      loaded.window_height == shell_.window_height;
    shell_.window_title = loaded.window_title;
    shell_.window_width = loaded.window_width;
    shell_.window_height = loaded.window_height;
    if (same)
        return false;
    const Rect place = window_->screen_rect();
    window_.reset(); // before the new one: a back end may hold one window at a time
    window_ = platform_.create_window(
        WindowSpec{shell_.window_title, place.left, place.top, shell_.window_width, shell_.window_height});
    back_buffer_.emplace(shell_.window_width, shell_.window_height);
    return true;
}

void Player::audio_init()
{
    audio_device_ = platform_.create_audio_device();
    audio_output_.emplace(*audio_device_, *audio_engine_, platform_.clock());
    audio_output_->open();
}

void Player::main_loop()
{
    while (!quit_requested_ && !platform_.events().stop_requested()) {
        const auto event = platform_.events().wait_event();
        if (!event)
            break;
        if (platform_.events().take_reload_request())
            reload_skin();
        if (event->kind == EventKind::media_request) {
            if (media_link_)
                media_link_->handle(*event);
        } else {
            router_->route(*event);
        }
        processor_->process_commands();
        presentation_->frame_tick();
        if (media_link_)
            media_link_->publish();
        platform_.events().set_next_tick(
            sooner(presentation_->next_frame_delay(timer_period, knob_poll, audio_device_->pull_duration()), audio_output_->update()));
    }
}

void Player::write_warnings()
{
    for (; warnings_written_ < warnings_.size(); ++warnings_written_)
        std::cerr << to_message_line(warnings_[warnings_written_]) << std::endl;
}

void Player::report_error(const std::string& text)
{
    write_warnings();
    const std::string line = to_message_line(text);
    std::cerr << line << std::endl;
    platform_.message_box(error_caption, line, [&events = platform_.events()] { return events.stop_requested(); });
}

void Player::shut_down()
{
    audio_shutdown();
    shutdown_shell();
}

void Player::audio_shutdown()
{
    if (audio_output_)
        audio_output_->close();
    if (audio_engine_) {
        // The channels may read from the archive image: gone before it is released.
        audio_engine_->stop_current();
        audio_engine_->stop_secondary();
    }
}

void Player::shutdown_shell()
{
    skin_->archive.close_archive();
    skin_->mapping.mapping_release();
    skin_->plugins.release_titles();
    if (timer_running_) {
        platform_.events().stop_timer();
        timer_running_ = false;
    }
    if (tray_icon_)
        tray_icon_->show_in_tray(false);
    router_.reset();
    if (window_) {
        window_->clear_shape();
        window_.reset();
    }
}

void Player::show_window()
{
    if (window_)
        window_->show();
}

void Player::hide_window()
{
    if (window_)
        window_->hide();
}

void Player::minimise_window()
{
    if (window_)
        window_->minimise();
}

void Player::quit()
{
    quit_requested_ = true;
}
