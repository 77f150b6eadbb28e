// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_window.h"

#include "platform/win32/win32_bitmap_info.h"
#include "platform/win32/win32_input.h"
#include "platform/win32/win32_media_keys.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window_scale.h"

#include "base/skin_error.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr wchar_t class_name[] = L"vorlunde";

COLORREF colorref_of(std::uint32_t rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// The region of `rectangles` for SetWindowRgn, or nullptr when the system refuses it.
HRGN region_of(std::span<const Rect> rectangles)
{
    if (rectangles.empty())
        return CreateRectRgn(0, 0, 0, 0);
    // RGNDATA is its header followed by the rectangles; the header is a whole number of RECTs.
    static_assert(sizeof(RGNDATAHEADER) % sizeof(RECT) == 0);
    constexpr std::size_t header_rects = sizeof(RGNDATAHEADER) / sizeof(RECT);
    std::vector<RECT> data(header_rects + rectangles.size());
    RECT bounds{rectangles.front().left, rectangles.front().top, rectangles.front().right,
                rectangles.front().bottom};
    for (std::size_t i = 0; i < rectangles.size(); ++i) {
        const Rect& r = rectangles[i];
        data[header_rects + i] = RECT{r.left, r.top, r.right, r.bottom};
        bounds = RECT{std::min<LONG>(bounds.left, r.left), std::min<LONG>(bounds.top, r.top),
                      std::max<LONG>(bounds.right, r.right), std::max<LONG>(bounds.bottom, r.bottom)};
    }
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(rectangles.size());
    header.nRgnSize = static_cast<DWORD>(rectangles.size() * sizeof(RECT));
    header.rcBound = bounds;
    std::memcpy(data.data(), &header, sizeof(header));
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size() * sizeof(RECT)),
                           reinterpret_cast<const RGNDATA*>(data.data()));
}

} // namespace

Win32Window::Win32Window(const WindowSpec& spec, Win32EventSource& events)
    : events_(events), icon_(make_program_icon()), cursor_(make_arrow_cursor())
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (const HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
        set_layered_ = reinterpret_cast<SetLayeredWindowAttributesFunction>(
            reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
    }

    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = &Win32Window::window_procedure;
    window_class.hInstance = instance;
    window_class.hIcon = icon_ ? icon_.get() : LoadIconW(nullptr, IDI_APPLICATION);
    window_class.hCursor = cursor_ ? cursor_.get() : LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = class_name;
    if (!RegisterClassExW(&window_class))
        throw SkinError("can't register the window class");

    // A taskbar button (WS_EX_APPWINDOW) and a system menu, so that it can be minimised.
    DWORD extended_style = WS_EX_APPWINDOW;
    if (set_layered_)
        extended_style |= WS_EX_LAYERED;
    window_ = CreateWindowExW(extended_style, class_name, desktop_wide(spec.title).c_str(),
                              WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, spec.x, spec.y, spec.width, spec.height,
                              nullptr, nullptr, instance, this);
    if (!window_) {
        UnregisterClassW(class_name, instance);
        throw SkinError("can't create the window");
    }
    // A layered window shows nothing until its attributes are set.
    apply_layered_attributes();
    const char* vorlunde_scale = std::getenv("VORLUNDE_SCALE");
    scale_ = choose_win32_window_scale(vorlunde_scale ? vorlunde_scale : "", window_dpi(window_));
    if (scale_ != 1) {
        // scale_ times the size, centred where the skin-sized window would have been.
        SetWindowPos(window_, nullptr, spec.x - spec.width * (scale_ - 1) / 2, spec.y - spec.height * (scale_ - 1) / 2,
                     spec.width * scale_, spec.height * scale_, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

Win32Window::~Win32Window()
{
    if (moving_)
        ReleaseCapture();
    DestroyWindow(window_);
    UnregisterClassW(class_name, GetModuleHandleW(nullptr));
}

LRESULT CALLBACK Win32Window::window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        auto* self = static_cast<Win32Window*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (!self || message == WM_NCCREATE || message == WM_NCDESTROY)
        return DefWindowProcW(window, message, wparam, lparam);
    return self->handle(message, wparam, lparam);
}

LRESULT Win32Window::handle(UINT message, WPARAM wparam, LPARAM lparam)
{
    if (moving_) {
        switch (message) {
        case WM_MOUSEMOVE: follow_pointer(); return 0;
        case WM_LBUTTONUP:
            moving_ = false;
            ReleaseCapture();
            return 0;
        default: break;
        }
    }
    if (message == Win32EventSource::reload_message() && message != 0) {
        events_.request_reload();
        return 0;
    }
    switch (message) {
    case WM_CAPTURECHANGED: moving_ = false; return 0;
    case WM_ERASEBKGND: return 1; // every pixel comes from the frame
    case WM_APPCOMMAND:
        if (const auto request = media_request_of_app_command(GET_APPCOMMAND_LPARAM(lparam))) {
            events_.push(Event{.kind = EventKind::media_request, .media_request = *request});
            return TRUE;
        }
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC device = BeginPaint(window_, &paint);
        draw_frame(device);
        EndPaint(window_, &paint);
        return 0;
    }
    default: break;
    }
    if (!translate_input(window_, scale_, message, wparam, lparam, events_))
        return DefWindowProcW(window_, message, wparam, lparam);
    // The system keys keep their own meaning too (Alt+F4 asks to close), and so do the media
    // keys (the system makes WM_APPCOMMAND of them).
    if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || (message == WM_KEYDOWN && media_request_of_key(wparam)))
        return DefWindowProcW(window_, message, wparam, lparam);
    return 0;
}

void Win32Window::show()
{
    ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window_);
}

void Win32Window::hide()
{
    ShowWindow(window_, SW_HIDE);
}

void Win32Window::minimise()
{
    ShowWindow(window_, SW_MINIMIZE);
}

void Win32Window::set_alpha(std::uint8_t alpha)
{
    alpha_ = alpha;
    apply_layered_attributes();
}

void Win32Window::set_colour_key(bool enabled, std::uint32_t colour)
{
    colour_key_enabled_ = enabled;
    colour_key_ = colour & 0xFFFFFF;
    apply_layered_attributes();
}

void Win32Window::apply_layered_attributes()
{
    if (!set_layered_)
        return;
    const DWORD flags = LWA_ALPHA | (colour_key_enabled_ ? LWA_COLORKEY : 0);
    set_layered_(window_, colorref_of(colour_key_), alpha_, flags);
}

void Win32Window::set_shape(std::span<const Rect> rectangles, int scale)
{
    const int factor = scale_ / std::clamp(scale, 1, scale_);
    std::vector<Rect> scaled(rectangles.begin(), rectangles.end());
    for (Rect& r : scaled)
        r = Rect{r.left * factor, r.top * factor, r.right * factor, r.bottom * factor};
    const HRGN region = region_of(scaled);
    if (region && !SetWindowRgn(window_, region, TRUE))
        DeleteObject(region); // the window owns the region only when it took it
}

void Win32Window::clear_shape()
{
    SetWindowRgn(window_, nullptr, TRUE);
}

void Win32Window::begin_move(std::int32_t x, std::int32_t y)
{
    move_grip_ = POINT{x * scale_, y * scale_}; // in window pixels
    SetCapture(window_);
    moving_ = true;
}

void Win32Window::follow_pointer()
{
    POINT pointer;
    if (!GetCursorPos(&pointer))
        return;
    SetWindowPos(window_, nullptr, pointer.x - move_grip_.x, pointer.y - move_grip_.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::present(const BackBuffer& frame)
{
    frame_width_ = frame.width();
    frame_height_ = frame.height();
    frame_scale_ = frame.scale();
    frame_.assign(frame.pixels().begin(), frame.pixels().end());
    if (const HDC device = GetDC(window_)) {
        draw_frame(device);
        ReleaseDC(window_, device);
    }
}

void Win32Window::present_parts(const BackBuffer& frame, std::span<const Rect> parts)
{
    if (frame.width() != frame_width_ || frame.height() != frame_height_ || frame.scale() != frame_scale_) {
        present(frame);
        return;
    }
    const HDC device = GetDC(window_);
    const auto pitch = static_cast<std::size_t>(frame.pixel_width());
    for (const Rect& part : parts) {
        // In the frame's pixels.
        const Rect inside{std::clamp(part.left, 0, frame_width_) * frame_scale_,
                          std::clamp(part.top, 0, frame_height_) * frame_scale_,
                          std::clamp(part.right, 0, frame_width_) * frame_scale_,
                          std::clamp(part.bottom, 0, frame_height_) * frame_scale_};
        if (inside.left >= inside.right || inside.top >= inside.bottom)
            continue;
        for (std::int32_t y = inside.top; y < inside.bottom; ++y) {
            const std::size_t row = static_cast<std::size_t>(y) * pitch;
            std::copy(frame.pixels().begin() + static_cast<std::ptrdiff_t>(row + static_cast<std::size_t>(inside.left)),
                      frame.pixels().begin() + static_cast<std::ptrdiff_t>(row + static_cast<std::size_t>(inside.right)),
                      frame_.begin() + static_cast<std::ptrdiff_t>(row + static_cast<std::size_t>(inside.left)));
        }
        if (device)
            draw_rows(device, inside);
    }
    if (device)
        ReleaseDC(window_, device);
}

void Win32Window::draw_frame(HDC device) const
{
    if (!frame_.empty())
        draw_rows(device, Rect{0, 0, frame_width_ * frame_scale_, frame_height_ * frame_scale_});
}

void Win32Window::draw_rows(HDC device, const Rect& area) const
{
    // A DIB of just the area's rows, so that no source offset depends on the DIB's direction.
    const int pitch = frame_width_ * frame_scale_;
    const int rows = area.bottom - area.top;
    const BITMAPINFO info = top_down_bitmap_info(pitch, rows);
    const std::uint32_t* first_row = frame_.data() + static_cast<std::size_t>(area.top) * static_cast<std::size_t>(pitch);
    const int width = area.right - area.left;
    if (scale_ == frame_scale_) {
        SetDIBitsToDevice(device, area.left, area.top, static_cast<DWORD>(width), static_cast<DWORD>(rows), area.left,
                          0, 0, static_cast<UINT>(rows), first_row, &info, DIB_RGB_COLORS);
        return;
    }
    // A frame at the skin's size on a window of scale_: every pixel repeated scale_ times each way.
    SetStretchBltMode(device, COLORONCOLOR);
    StretchDIBits(device, area.left * scale_ / frame_scale_, area.top * scale_ / frame_scale_,
                  width * scale_ / frame_scale_, rows * scale_ / frame_scale_, area.left, 0, width, rows, first_row,
                  &info, DIB_RGB_COLORS, SRCCOPY);
}

Rect Win32Window::screen_rect() const
{
    RECT rect{};
    GetWindowRect(window_, &rect);
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
}
