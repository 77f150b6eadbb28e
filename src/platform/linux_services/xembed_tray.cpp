// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/xembed_tray.h"

#include "base/desktop_text.h"
#include "platform/program_images.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <array>
#include <bit>
#include <string>
#include <vector>

namespace {

constexpr int initial_size = 22;
constexpr long request_dock = 0;
constexpr long xembed_mapped = 1;

::Window tray_owner(Display* display)
{
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(display));
    return XGetSelectionOwner(display, XInternAtom(display, selection.c_str(), False));
}

// 0xAARRGGBB as a pixel of a true-colour `visual`.
unsigned long pixel_of(std::uint32_t argb, const Visual* visual)
{
    const auto channel = [](std::uint32_t value8, unsigned long mask) {
        const int width = std::popcount(mask);
        const int shift = std::countr_zero(mask);
        return (static_cast<unsigned long>(value8) >> (8 - std::min(width, 8))) << shift;
    };
    return channel(argb >> 16 & 0xFF, visual->red_mask) | channel(argb >> 8 & 0xFF, visual->green_mask) |
           channel(argb & 0xFF, visual->blue_mask);
}

} // namespace

XembedTray::XembedTray(Display* display, std::deque<Event>& events)
    : display_(display), events_(events), icon_(display)
{
}

bool XembedTray::host_present(Display* display)
{
    return tray_owner(display) != None;
}

void XembedTray::show(const std::string& tip)
{
    const std::string name = to_desktop_text(tip);
    if (!icon_.exists()) {
        const ::Window owner = tray_owner(display_);
        if (owner == None)
            return;
        XSetWindowAttributes attributes{};
        attributes.background_pixmap = ParentRelative;
        attributes.event_mask = ButtonPressMask | ExposureMask | StructureNotifyMask;
        icon_.adopt(XCreateWindow(display_, DefaultRootWindow(display_), 0, 0, initial_size, initial_size, 0,
                                  CopyFromParent, InputOutput, CopyFromParent, CWBackPixmap | CWEventMask, &attributes));
        width_ = height_ = initial_size;
        // The tray sizes its socket from these hints.
        XSizeHints hints{};
        hints.flags = PMinSize | PBaseSize;
        hints.min_width = hints.base_width = initial_size;
        hints.min_height = hints.base_height = initial_size;
        XSetWMNormalHints(display_, icon_.id(), &hints);
        const Atom info = XInternAtom(display_, "_XEMBED_INFO", False);
        const std::array<long, 2> version_and_flags{0, xembed_mapped};
        XChangeProperty(display_, icon_.id(), info, info, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(version_and_flags.data()), 2);
        send_client_message(display_, owner, owner, "_NET_SYSTEM_TRAY_OPCODE",
                            {CurrentTime, request_dock, static_cast<long>(icon_.id()), 0, 0}, NoEventMask);
    }
    XChangeProperty(display_, icon_.id(), XInternAtom(display_, "_NET_WM_NAME", False),
                    XInternAtom(display_, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(name.data()), static_cast<int>(name.size()));
    XFlush(display_);
}

void XembedTray::remove()
{
    icon_.destroy();
}

bool XembedTray::handle(const XEvent& event)
{
    if (!icon_.receives(event))
        return false;
    switch (event.type) {
    case Expose:
        if (event.xexpose.count == 0)
            draw();
        break;
    case ReparentNotify:
        // Back on the root window: the tray has gone. Drop the icon rather than leave it as a
        // stray window; showing it again docks it in the next tray.
        if (event.xreparent.parent == DefaultRootWindow(display_))
            remove();
        break;
    case DestroyNotify:
        icon_.forget(); // destroyed with the tray's socket: nothing left to remove
        break;
    case ConfigureNotify:
        width_ = event.xconfigure.width;
        height_ = event.xconfigure.height;
        XClearArea(display_, icon_.id(), 0, 0, 0, 0, True);
        break;
    case ButtonPress:
        if (event.xbutton.button == Button1)
            events_.push_back(Event{.kind = EventKind::tray_click, .button = MouseButton::left});
        else if (event.xbutton.button == Button3)
            events_.push_back(Event{.kind = EventKind::tray_click, .button = MouseButton::right});
        break;
    default:
        break;
    }
    return true;
}

void XembedTray::draw()
{
    // The icon scaled (nearest pixel) to the window, opaque pixels only: the rest shows the
    // tray's background through the parent-relative window background.
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, icon_.id(), &attributes);
    if (attributes.visual->c_class != TrueColor || width_ <= 0 || height_ <= 0)
        return;
    const std::vector<std::uint32_t> icon = program_icon_pixels();
    const auto w = static_cast<unsigned>(width_);
    const auto h = static_cast<unsigned>(height_);
    std::vector<std::uint32_t> pixels(std::size_t{w} * h);
    std::vector<char> mask(std::size_t{(w + 7) / 8} * h, 0);
    for (unsigned y = 0; y < h; ++y) {
        for (unsigned x = 0; x < w; ++x) {
            const std::uint32_t argb =
                icon[y * program_image_size / h * program_image_size + x * program_image_size / w];
            pixels[y * w + x] = static_cast<std::uint32_t>(pixel_of(argb, attributes.visual));
            if (argb >> 24 >= 0x80)
                mask[y * ((w + 7) / 8) + x / 8] = static_cast<char>(mask[y * ((w + 7) / 8) + x / 8] | 1 << (x % 8));
        }
    }
    XImage* image = XCreateImage(display_, attributes.visual, static_cast<unsigned>(attributes.depth), ZPixmap, 0,
                                 reinterpret_cast<char*>(pixels.data()), w, h, 32, 0);
    if (!image)
        return;
    const Pixmap clip = XCreateBitmapFromData(display_, icon_.id(), mask.data(), w, h);
    GC gc = XCreateGC(display_, icon_.id(), 0, nullptr);
    XSetClipMask(display_, gc, clip);
    XPutImage(display_, icon_.id(), gc, image, 0, 0, 0, 0, w, h);
    image->data = nullptr; // the pixels belong to the vector
    XDestroyImage(image);
    XFreeGC(display_, gc);
    XFreePixmap(display_, clip);
    XFlush(display_);
}
