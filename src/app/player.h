// SPDX-License-Identifier: GPL-3.0-or-later
// Player: the running program. It owns every subsystem, runs start-up, the main loop and the
// ordered shut-down, and turns any error into the error message box. Members are declared in
// the order the subsystems are created, so that they are destroyed in the reverse order:
// installed font files are removed before the plug-in libraries are unloaded, and those
// before the pages are destroyed; the audio stops before the archive is released.
// Shut-down tolerates objects that were never created. The platform is borrowed and must
// outlive the Player. UI thread only, except commands(), which any thread may post to.
//
// Reload: when the event source reports a reload request, the skin is loaded again beside
// the running one (a LoadedSkin of its own); only when all of it has loaded does it replace
// the old one, which then goes (see reload_skin). A skin that fails to load leaves the old
// one running and writes one line to standard error.
#pragma once

#include "app/audio_output.h"
#include "app/command_processor.h"
#include "app/command_queue.h"
#include "app/config_loader.h"
#include "app/loaded_skin.h"
#include "app/media_link.h"
#include "app/message_router.h"
#include "app/presentation.h"
#include "app/shell_state.h"
#include "app/shell_window.h"
#include "app/tray_icon.h"
#include "audio/audio_engine.h"
#include "image/back_buffer.h"
#include "platform/platform.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Player final : private ShellWindow {
public:
    // Caption of the error message box.
    static constexpr const char* error_caption = "tarnel leaf runtime exception";
    // Period of the timer that keeps the loop and the animation running while something moves.
    static constexpr std::chrono::milliseconds timer_period{10};
    // While a module plays (its position moves by orders, not with the clock), how often the
    // seek knob is looked at; a stream's knob is looked at when it is due to move a pixel.
    static constexpr std::chrono::milliseconds knob_poll{100};

    // `skin_dir` holds "tarnel.cfg" and "tarnel.dat" (the working directory for the program).
    Player(Platform& platform, std::filesystem::path skin_dir);
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Start-up, main loop, shut-down. Returns the exit status: 0 after a normal end, 1 after
    // an error, which has then been shown in a message box and written to standard error
    // (one line, see to_message_line). Loading warnings go to standard error too, before it.
    int run();

    // The first part of start-up alone: reads the configuration head, creates the main window
    // (hidden unless layered) and loads the whole skin (archive, configuration, images, fonts,
    // plug-ins), without sound and without starting the presentation. Throws the error text.
    // For checking and rendering skins; run() does the same before it goes on.
    void load_skin();

    // Loads the skin in the skin folder again and puts it in place of the running one,
    // keeping the window's place, the playing track (AudioEngine::reload_tracklists) and the
    // current page if the new skin has a page of that name (else its start page). Errors do
    // not leave it: the old skin stays and the error is written to standard error as
    // "can't reload the skin: " + message. Called by the main loop on a reload request;
    // needs a started presentation.
    void reload_skin();

    // Where commands are posted; safe from any thread.
    CommandSink& commands() { return queue_; }
    const ShellState& shell() const { return shell_; }
    const PageRegistry& pages() const { return skin_->pages; }
    // Damage that loading went past, one line each (see load_config).
    const std::vector<std::string>& warnings() const { return warnings_; }
    // Present once the main window exists.
    BackBuffer* back_buffer() { return back_buffer_ ? &*back_buffer_ : nullptr; }
    AudioEngine* audio_engine() { return audio_engine_ ? &*audio_engine_ : nullptr; }
    const PluginHost& plugins() const { return skin_->plugins; }
    // Present once the presentation has started.
    const Presentation* presentation() const { return presentation_ ? &*presentation_ : nullptr; }

private:
    void start_up();
    void create_main_window();
    void load_configuration();
    // What the configuration loader fills: `skin`, `tracklists` and the skin's values in
    // `shell`, for the running window and engine.
    LoadTargets load_targets(ShellState& shell, LoadedSkin& skin, Tracklists& tracklists);
    // Makes the command processor and the message router for the running skin and window.
    void connect_input();
    void make_presentation();
    // After a reload: takes the loaded skin's title and size; when either differs, a new
    // window (hidden) where the old one was and a back buffer of the new size. Returns
    // whether the window is new.
    bool fit_window(const ShellState& loaded);
    // Puts the back buffer at `scale` (2: the skin has art at twice the size) and gives the
    // plug-ins its canvas, which the scale may have moved.
    void use_back_buffer_scale(int scale);
    void audio_init();
    void main_loop();
    void report_error(const std::string& text);
    // Writes the warnings not yet written to standard error.
    void write_warnings();
    void shut_down();
    void audio_shutdown();
    void shutdown_shell();

    void show_window() override;
    void hide_window() override;
    void minimise_window() override;
    void quit() override;

    Platform& platform_;
    std::filesystem::path skin_dir_;
    bool quit_requested_ = false;
    bool timer_running_ = false;
    std::vector<std::string> warnings_;
    std::size_t warnings_written_ = 0;

    // Program-wide values, the queue and the running skin, in creation order.
    ShellState shell_;
    CommandQueue queue_;
    std::unique_ptr<LoadedSkin> skin_; // never null; replaced whole by a reload

    // Created with the main window, in this order.
    std::unique_ptr<Window> window_;
    std::optional<BackBuffer> back_buffer_;
    std::optional<AudioEngine> audio_engine_;
    std::optional<TrayIcon> tray_icon_;
    std::optional<CommandProcessor> processor_;
    std::optional<MessageRouter> router_;

    // Opened after the configuration is loaded, closed first at shut-down; open only while
    // the engine sounds (and a little after).
    std::unique_ptr<AudioDevice> audio_device_;
    std::optional<AudioOutput> audio_output_;
    std::optional<Presentation> presentation_;
    // Present once the presentation has started, when the desktop has a media remote.
    std::optional<MediaLink> media_link_;
};
