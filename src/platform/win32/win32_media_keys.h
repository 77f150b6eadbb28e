// SPDX-License-Identifier: GPL-3.0-or-later
// Win32MediaKeys: the keyboard's media keys (play/pause, stop, next, previous) as the media
// remote of the Win32 back end. They become media_request events on the event source, as MPRIS
// requests do on Linux. While another program has the focus they come as hot keys
// (RegisterHotKey on a message-only window of class "vorlunde media keys"); a key another
// program already holds is left to it, and the main window still gets it as WM_APPCOMMAND
// while it has the focus (media_request_of_app_command). Windows keeps no player state for
// hot keys, so publish and seeked tell nobody. The event source must outlive it. UI thread only.
#pragma once

#include "platform/media_remote.h"
#include "platform/win32/win32_event_source.h"

#include <windows.h>

#include <optional>

// The request of a media key's virtual-key code, or none for any other key.
std::optional<MediaRequest> media_request_of_key(WPARAM virtual_key);
// The request of a WM_APPCOMMAND command (GET_APPCOMMAND_LPARAM), or none for other commands.
std::optional<MediaRequest> media_request_of_app_command(int command);

class Win32MediaKeys final : public MediaRemote {
public:
    explicit Win32MediaKeys(Win32EventSource& events);
    ~Win32MediaKeys() override;
    Win32MediaKeys(const Win32MediaKeys&) = delete;
    Win32MediaKeys& operator=(const Win32MediaKeys&) = delete;

    void publish(const MediaState&) override {}
    void seeked(std::int64_t) override {}

private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    Win32EventSource& events_;
    HWND window_ = nullptr; // receives WM_HOTKEY; nullptr when the system refused it
};
