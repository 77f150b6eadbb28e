// SPDX-License-Identifier: GPL-3.0-or-later
// Win32Window: the main window, a borderless WS_POPUP of class "vorlunde" (CS_DBLCLKS) with the
// program's icon and arrow cursor. Layered mode is SetLayeredWindowAttributes, looked up in
// user32 at run time: when it exists the window is WS_EX_LAYERED and takes the whole-window
// alpha and the colour key; otherwise layered() is false and shapes are window regions
// (SetWindowRgn). Frames go to the screen with SetDIBitsToDevice (StretchDIBits when they are
// enlarged), whole or only their changed parts; the last one is kept to repaint on WM_PAINT.
// Moving is done by the program (the pointer is captured until the left button is up), so
// the message loop and the timer keep running during a move.
// On high-density screens (choose_win32_window_scale, decided when the window is made) it is
// twice the skin's size and frame_scale() is 2: frames at scale 2 are drawn pixel for pixel,
// frames at the skin's size with every pixel repeated; shapes at the skin's size are scaled
// to the window; input positions are divided back into skin pixels (translate_input).
// The media keys' WM_APPCOMMAND become media_request events; the registered reload message
// (Win32EventSource::reload_message) raises the event source's reload request.
// Its window procedure pushes input as Events onto the Win32EventSource, which must outlive
// the window. UI thread only.
#pragma once

#include "platform/win32/win32_event_source.h"
#include "platform/win32/win32_images.h"
#include "platform/window.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class Win32Window final : public Window {
public:
    // Creates the window hidden; throws SkinError when the system refuses.
    Win32Window(const WindowSpec& spec, Win32EventSource& events);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    void show() override;
    void hide() override;
    void minimise() override;
    bool layered() const override { return set_layered_ != nullptr; }
    void set_alpha(std::uint8_t alpha) override;
    void set_colour_key(bool enabled, std::uint32_t colour) override;
    void set_shape(std::span<const Rect> rectangles, int scale) override;
    void clear_shape() override;
    void begin_move(std::int32_t x, std::int32_t y) override;
    void present(const BackBuffer& frame) override;
    // Copies the parts into the kept frame and draws each on its own.
    void present_parts(const BackBuffer& frame, std::span<const Rect> parts) override;
    Rect screen_rect() const override;
    // The window's scale: 2 on a high-density screen.
    int frame_scale() const override { return scale_; }

private:
    using SetLayeredWindowAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void apply_layered_attributes();
    void draw_frame(HDC device) const;
    // Draws `area` (inside the kept frame, in its pixels) to the same place of the client area.
    void draw_rows(HDC device, const Rect& area) const;
    // Moves the window so that the pointer stays over the pressed client point.
    void follow_pointer();

    Win32EventSource& events_;
    OwnedIcon icon_;
    OwnedIcon cursor_;
    SetLayeredWindowAttributesFunction set_layered_ = nullptr;
    HWND window_ = nullptr;
    int scale_ = 1;
    std::uint8_t alpha_ = 255;
    bool colour_key_enabled_ = false;
    std::uint32_t colour_key_ = 0;
    bool moving_ = false;
    POINT move_grip_{0, 0};
    int frame_width_ = 0;
    int frame_height_ = 0;
    int frame_scale_ = 1; // the kept frame's pixels per skin pixel
    std::vector<std::uint32_t> frame_;
};
