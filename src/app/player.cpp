#include "app/player.h"

#include "app/window_placement.h"
#include "config/config_head.h"

#include <iostream>

Player::Player(Platform& platform, std::filesystem::path skin_dir)
    : platform_(platform), skin_dir_(std::move(skin_dir))
{
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
    const ConfigHead head = read_config_head(skin_dir_ / "tarnel.cfg");
    shell_.window_title = head.title;
    shell_.window_width = head.width;
    shell_.window_height = head.height;
    create_main_window();
    // The configuration loader and the audio device start here, in that order.
    start_presentation();
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
    tray_icon_.emplace(platform_.tray(), shell_.tray_tip);
    processor_.emplace(CommandProcessor::Targets{
        queue_, shell_, platform_.clock(), pages_, mapping_, *tray_icon_, *this, audio_.get()});
    router_.emplace(MessageRouter::Targets{
        shell_, platform_.clock(), pages_, *tray_icon_, *window_, queue_, *this});
    platform_.events().start_timer(timer_period);
    timer_running_ = true;
}

void Player::start_presentation()
{
    if (!window_->layered())
        window_->show();
}

void Player::main_loop()
{
    while (!quit_requested_ && !stop_signals_.requested()) {
        const auto event = platform_.events().wait_event();
        if (!event)
            break;
        router_->route(*event);
        processor_->process_commands();
        frame_tick();
    }
}

void Player::frame_tick()
{
    if (tray_icon_->icon_shown())
        return;
    window_->present(*back_buffer_);
}

void Player::report_error(const std::string& text)
{
    std::cerr << text << std::endl;
    platform_.message_box(error_caption, text);
}

void Player::shut_down()
{
    // The audio device and engine stop first, once they exist.
    shutdown_shell();
}

void Player::shutdown_shell()
{
    // The archive image is released here, before the string mapping.
    mapping_.mapping_release();
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
