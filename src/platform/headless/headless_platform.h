// SPDX-License-Identifier: GPL-3.0-or-later
// HeadlessPlatform: the whole platform in memory, for tests and the skin tool. Windows,
// timer, tray and libraries record their calls in one CallLog; the media remote keeps what it
// was told; message boxes are recorded instead of shown; the clock is a ManualClock; fonts
// draw boxes (HeadlessFontSystem) and the audio device is pulled by the test
// (HeadlessAudioDevice). The platform must outlive what it created. Not thread-safe.
#pragma once

#include "platform/headless/call_log.h"
#include "platform/headless/headless_audio_device.h"
#include "platform/headless/headless_event_source.h"
#include "platform/headless/headless_fonts.h"
#include "platform/headless/headless_libraries.h"
#include "platform/headless/headless_media_remote.h"
#include "platform/headless/headless_tray.h"
#include "platform/headless/headless_window.h"
#include "platform/headless/manual_clock.h"
#include "platform/platform.h"

#include <vector>

class HeadlessPlatform final : public Platform {
public:
    struct MessageBox {
        std::string caption;
        std::string text;
    };

    // `layered`: the capability every window it creates reports. `desktop`: the screen.
    // `frame_scale`: the windows' (1, or 2 for a screen of twice the density).
    explicit HeadlessPlatform(bool layered = false, Rect desktop = Rect{0, 0, 1024, 768}, int frame_scale = 1);

    Rect desktop_rect() override { return desktop_; }
    std::unique_ptr<Window> create_window(const WindowSpec& spec) override;
    HeadlessEventSource& events() override { return events_; }
    const Clock& clock() override { return clock_; }
    HeadlessTray& tray() override { return tray_; }
    HeadlessLibraries& libraries() override { return libraries_; }
    void message_box(const std::string& caption, const std::string& text,
                     const std::function<bool()>& give_up) override;
    std::unique_ptr<FontSystem> create_font_system() override;
    std::unique_ptr<AudioDevice> create_audio_device() override;
    HeadlessMediaRemote* media_remote() override { return &media_remote_; }

    ManualClock& manual_clock() { return clock_; }
    const CallLog& log() const { return log_; }
    const std::vector<MessageBox>& message_boxes() const { return message_boxes_; }
    // The most recently created window while it exists, else nullptr.
    HeadlessWindow* window() const { return window_; }
    int windows_created() const { return windows_created_; }
    // The most recently created font system and audio device, or nullptr; valid only while
    // their owner keeps them.
    HeadlessFontSystem* font_system() const { return font_system_; }
    HeadlessAudioDevice* audio_device() const { return audio_device_; }

private:
    bool layered_;
    Rect desktop_;
    int frame_scale_;
    CallLog log_;
    ManualClock clock_;
    HeadlessEventSource events_{log_, clock_};
    HeadlessTray tray_{log_};
    HeadlessLibraries libraries_{log_};
    HeadlessMediaRemote media_remote_;
    std::vector<MessageBox> message_boxes_;
    HeadlessWindow* window_ = nullptr;
    int windows_created_ = 0;
    HeadlessFontSystem* font_system_ = nullptr;
    HeadlessAudioDevice* audio_device_ = nullptr;
};
