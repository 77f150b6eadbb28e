// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/x11_desktop.h"

#include "platform/linux_services/x_own_window.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <string>
#include <vector>

namespace {

// The window property `name` of `owner` as a list of 32-bit items (returned as longs).
std::vector<unsigned long> long_property(Display* display, ::Window owner, const char* name, Atom type)
{
    Atom actual_type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const Atom property = XInternAtom(display, name, False);
    std::vector<unsigned long> values;
    if (XGetWindowProperty(display, owner, property, 0, 4096, False, type, &actual_type, &format, &count,
                           &remaining, &data) == Success && data) {
        if (format == 32) {
            const auto* items = reinterpret_cast<const unsigned long*>(data);
            values.assign(items, items + count);
        }
        XFree(data);
    }
    return values;
}

bool xwayland(Display* display)
{
    int opcode = 0;
    int event_base = 0;
    int error_base = 0;
    return XQueryExtension(display, "XWAYLAND", &opcode, &event_base, &error_base);
}

bool compositing_manager_runs(Display* display)
{
    const std::string name = "_NET_WM_CM_S" + std::to_string(DefaultScreen(display));
    return XGetSelectionOwner(display, XInternAtom(display, name.c_str(), False)) != None;
}

} // namespace

std::optional<unsigned long> X11Desktop::argb_visual()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return std::nullopt;
    std::optional<unsigned long> visual;
    XVisualInfo info{};
    if ((xwayland(display) || compositing_manager_runs(display)) &&
        XMatchVisualInfo(display, DefaultScreen(display), 32, TrueColor, &info))
        visual = info.visualid;
    XCloseDisplay(display);
    return visual;
}

std::optional<X11Desktop> X11Desktop::of(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return std::nullopt;
    return X11Desktop(info.info.x11.display, info.info.x11.window);
}

void X11Desktop::survive_protocol_errors()
{
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
}

X11Desktop::X11Desktop(_XDisplay* display, unsigned long window) : display_(display), window_(window)
{
    int event_base = 0;
    int error_base = 0;
    can_shape_ = display_ && XShapeQueryExtension(display_, &event_base, &error_base);
}

bool X11Desktop::compositing() const
{
    return display_ && (compositing_manager_runs(display_) || xwayland(display_));
}

bool X11Desktop::argb() const
{
    XWindowAttributes attributes{};
    return display_ && XGetWindowAttributes(display_, window_, &attributes) && attributes.depth == 32;
}

bool X11Desktop::window_manager_moves() const
{
    if (!display_)
        return false;
    const ::Window root = DefaultRootWindow(display_);
    const auto check = long_property(display_, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    if (check.empty())
        return false;
    const auto supported = long_property(display_, root, "_NET_SUPPORTED", XA_ATOM);
    const Atom move_resize = XInternAtom(display_, "_NET_WM_MOVERESIZE", False);
    for (const unsigned long atom : supported) {
        if (atom == move_resize)
            return true;
    }
    return false;
}

void X11Desktop::set_shape(std::span<const Rect> rectangles)
{
    if (!can_shape_)
        return;
    std::vector<XRectangle> x_rectangles;
    x_rectangles.reserve(rectangles.size());
    for (const Rect& r : rectangles) {
        if (r.width() <= 0 || r.height() <= 0)
            continue;
        x_rectangles.push_back(XRectangle{static_cast<short>(r.left), static_cast<short>(r.top),
                                          static_cast<unsigned short>(r.width()),
                                          static_cast<unsigned short>(r.height())});
    }
    XShapeCombineRectangles(display_, window_, ShapeBounding, 0, 0, x_rectangles.data(),
                            static_cast<int>(x_rectangles.size()), ShapeSet, Unsorted);
    XFlush(display_);
}

void X11Desktop::clear_shape()
{
    if (!can_shape_)
        return;
    XShapeCombineMask(display_, window_, ShapeBounding, 0, 0, None, ShapeSet);
    XFlush(display_);
}

void X11Desktop::request_move(std::int32_t root_x, std::int32_t root_y)
{
    constexpr long move = 8;        // _NET_WM_MOVERESIZE_MOVE
    constexpr long left_button = 1;
    constexpr long from_application = 1;
    XUngrabPointer(display_, CurrentTime);
    send_client_message(display_, DefaultRootWindow(display_), window_, "_NET_WM_MOVERESIZE",
                        {root_x, root_y, move, left_button, from_application},
                        SubstructureRedirectMask | SubstructureNotifyMask);
    XFlush(display_);
}

std::string X11Desktop::resources() const
{
    const char* resources = XResourceManagerString(display_);
    return resources ? resources : "";
}
