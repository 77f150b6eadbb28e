// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_platform.h"
#include "platform/desktop_platform.h"

#include "platform/sdl_audio/sdl_audio_device.h"
#include "platform/win32/win32_fonts.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"

#include <windows.h>

#include <cstdio>

namespace {

// Standard error of a GUI program started from a console goes nowhere: take the console's.
void use_parent_console_for_errors()
{
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error != nullptr && error != INVALID_HANDLE_VALUE)
        return; // redirected, or given by the starting process
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    FILE* stream = nullptr;
    freopen_s(&stream, "CONOUT$", "w", stderr);
    freopen_s(&stream, "CONOUT$", "w", stdout);
}

} // namespace

Win32Platform::Win32Platform() : tray_(events_)
{
    use_parent_console_for_errors();
}

Win32Platform::~Win32Platform() = default;

Rect Win32Platform::desktop_rect()
{
    RECT area{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
        area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return Rect{area.left, area.top, area.right, area.bottom};
}

std::unique_ptr<Window> Win32Platform::create_window(const WindowSpec& spec)
{
    return std::make_unique<Win32Window>(spec, events_);
}

void Win32Platform::message_box(const std::string& caption, const std::string& text,
                                const std::function<bool()>& give_up)
{
    show_message_box(desktop_wide(caption), desktop_wide(text), give_up, events_);
}

std::unique_ptr<FontSystem> Win32Platform::create_font_system()
{
    return std::make_unique<Win32FontSystem>();
}

std::unique_ptr<AudioDevice> Win32Platform::create_audio_device()
{
    return std::make_unique<SdlAudioDevice>();
}

MediaRemote* Win32Platform::media_remote()
{
    if (!media_keys_)
        media_keys_.emplace(events_);
    return &*media_keys_;
}

std::unique_ptr<Platform> make_desktop_platform()
{
    return std::make_unique<Win32Platform>();
}

std::unique_ptr<Libraries> make_desktop_libraries()
{
    return std::make_unique<Win32Libraries>();
}

std::unique_ptr<FontSystem> make_desktop_font_system()
{
    return std::make_unique<Win32FontSystem>();
}
