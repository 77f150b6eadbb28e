// Player: the running program. It owns every subsystem, runs start-up, the main loop and the
// ordered shut-down, and turns any error into the error message box. Members are declared in
// the order the subsystems are created, so that they are destroyed in the reverse order;
// shut-down tolerates objects that were never created. The platform is borrowed and must
// outlive the Player. UI thread only, except commands(), which any thread may post to.
#pragma once

#include "audio/audio_operations.h"
#include "app/back_buffer.h"
#include "app/command_processor.h"
#include "app/command_queue.h"
#include "app/message_router.h"
#include "app/page_registry.h"
#include "app/shell_state.h"
#include "app/shell_window.h"
#include "app/stop_signals.h"
#include "app/tray_icon.h"
#include "audio/string_mapping.h"
#include "platform/platform.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class Player final : private ShellWindow {
public:
    // Caption of the error message box.
    static constexpr const char* error_caption = "tarnel leaf runtime exception";
    // Period of the timer that keeps the loop and the animation running.
    static constexpr std::chrono::milliseconds timer_period{10};

    // `skin_dir` holds "tarnel.cfg" and "tarnel.dat" (the working directory for the program).
    Player(Platform& platform, std::filesystem::path skin_dir);
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Start-up, main loop, shut-down. Returns the exit status: 0 after a normal end, 1 after
    // an error, which has then been shown in a message box and written to standard error.
    int run();

    // Where commands are posted; safe from any thread.
    CommandSink& commands() { return queue_; }
    const ShellState& shell() const { return shell_; }

private:
    void start_up();
    void create_main_window();
    void start_presentation();
    void main_loop();
    void frame_tick();
    void report_error(const std::string& text);
    void shut_down();
    void shutdown_shell();

    void show_window() override;
    void hide_window() override;
    void minimise_window() override;
    void quit() override;

    Platform& platform_;
    std::filesystem::path skin_dir_;
    StopSignals stop_signals_;
    bool quit_requested_ = false;
    bool timer_running_ = false;

    // Program-wide values and registries, in creation order.
    ShellState shell_;
    PageRegistry pages_;
    CommandQueue queue_;
    StringMapping mapping_;

    // Created with the main window, in this order.
    std::unique_ptr<Window> window_;
    std::optional<BackBuffer> back_buffer_;
    std::unique_ptr<AudioOperations> audio_; // the engine; none until the audio engine exists
    std::optional<TrayIcon> tray_icon_;
    std::optional<CommandProcessor> processor_;
    std::optional<MessageRouter> router_;
};
