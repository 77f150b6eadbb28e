// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/x_own_window.h"

void OwnXWindow::adopt(::Window window)
{
    destroy();
    id_ = window;
}

void OwnXWindow::destroy()
{
    if (id_ == None)
        return;
    XDestroyWindow(display_, id_);
    XFlush(display_);
    id_ = None;
}

void send_client_message(Display* display, ::Window target, ::Window about, const char* type,
                         const std::array<long, 5>& data, long mask)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = about;
    event.xclient.message_type = XInternAtom(display, type, False);
    event.xclient.format = 32;
    for (std::size_t i = 0; i < data.size(); ++i)
        event.xclient.data.l[i] = data[i];
    XSendEvent(display, target, False, mask, &event);
}
