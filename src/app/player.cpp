// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/player.h"

#include "app/config_loader.h"
#include "app/window_placement.h"
#include "audio/tracklists.h"
#include "base/desktop_text.h"
#include "config/config_head.h"

#include <algorithm>
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
      font_system_(platform_.create_font_system()),
      plugins_(platform_.libraries(), skin_dir_),
      fonts_(*font_system_)
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
    presentation_.emplace(Presentation::Targets{shell_, platform_.clock(), pages_, *window_, *back_buffer_, archive_,
                                                *tray_icon_, plugins_, *audio_engine_, fonts_, *this});
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
    archive_.release_pages(); // the pictures are decoded and the fonts written out
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
    audio_engine_.emplace(queue_, archive_);
    audio_engine_->reset_audio_state();
    tray_icon_.emplace(platform_.tray(), shell_.tray_tip);
    processor_.emplace(CommandProcessor::Targets{
        queue_, shell_, platform_.clock(), pages_, mapping_, *tray_icon_, *this, &*audio_engine_});
    router_.emplace(MessageRouter::Targets{
        shell_, platform_.clock(), pages_, *tray_icon_, *window_, queue_, *this});
    platform_.events().start_timer(timer_period);
    timer_running_ = true;
}

void Player::load_configuration()
{
    Tracklists tracklists;
    LoadTargets targets{shell_,
                        archive_,
                        pages_,
                        platform_.clock(),
                        queue_,
                        PageLinks{&*back_buffer_, &*audio_engine_, &plugins_},
                        tracklists,
                        mapping_,
                        *tray_icon_,
                        fonts_,
                        plugins_,
                        window_->layered(),
                        window_->frame_scale()};
    load_config(skin_dir_, targets, warnings_);
    // After loading: the back buffer has its scale (art at twice the size) and canvas.
    plugins_.set_surface(back_buffer_->canvas().data(), back_buffer_->width(), back_buffer_->height(), back_buffer_->width());
    audio_engine_->use_tracklists(std::move(tracklists));
    tray_icon_->publish_menu();
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
    archive_.close_archive();
    mapping_.mapping_release();
    plugins_.release_titles();
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
