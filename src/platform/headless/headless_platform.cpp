// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/headless_platform.h"

HeadlessPlatform::HeadlessPlatform(bool layered, Rect desktop, int frame_scale)
    : layered_(layered), desktop_(desktop), frame_scale_(frame_scale == 2 ? 2 : 1)
{
}

std::unique_ptr<Window> HeadlessPlatform::create_window(const WindowSpec& spec)
{
    ++windows_created_;
    return std::make_unique<HeadlessWindow>(spec, layered_, log_, &window_, frame_scale_);
}

void HeadlessPlatform::message_box(const std::string& caption, const std::string& text,
                                   const std::function<bool()>& /*give_up*/)
{
    log_.push_back("message box");
    message_boxes_.push_back(MessageBox{caption, text});
}

std::unique_ptr<FontSystem> HeadlessPlatform::create_font_system()
{
    auto system = std::make_unique<HeadlessFontSystem>();
    font_system_ = system.get();
    return system;
}

std::unique_ptr<AudioDevice> HeadlessPlatform::create_audio_device()
{
    auto device = std::make_unique<HeadlessAudioDevice>();
    audio_device_ = device.get();
    return device;
}
