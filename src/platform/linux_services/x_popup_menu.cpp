// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/x_popup_menu.h"

#include "base/desktop_text.h"
#include "platform/linux_services/popup_placement.h"
#include "platform/linux_services/ucs2_text.h"

#include <X11/keysym.h>

#include <algorithm>

namespace {

constexpr int padding = 3;     // above the first row and below the last
constexpr int text_margin = 16; // left and right of the text
constexpr int row_spacing = 6;  // added to the font's height
constexpr int border = 1;

XFontStruct* load_font(Display* display, const char* unicode_name)
{
    XFontStruct* font = XLoadQueryFont(display, unicode_name);
    return font ? font : XLoadQueryFont(display, "fixed");
}

std::vector<XChar2b> glyphs_of(const std::u16string& text)
{
    std::vector<XChar2b> glyphs;
    for (const char16_t unit : text)
        glyphs.push_back(XChar2b{static_cast<unsigned char>(unit >> 8), static_cast<unsigned char>(unit & 0xFF)});
    return glyphs;
}

} // namespace

XPopupMenu::XPopupMenu(Display* display, std::deque<Event>& events)
    : display_(display), events_(events), window_(display),
      regular_(load_font(display, "-misc-fixed-medium-r-semicondensed--13-*-*-*-*-*-iso10646-1")),
      bold_(load_font(display, "-misc-fixed-bold-r-semicondensed--13-*-*-*-*-*-iso10646-1"))
{
}

XPopupMenu::~XPopupMenu()
{
    close();
    for (XFontStruct* font : {regular_, bold_}) {
        if (font)
            XFreeFont(display_, font);
    }
}

void XPopupMenu::pop(std::span<const TrayMenuEntry> entries)
{
    close();
    if (!regular_ || !bold_ || entries.empty())
        return;
    rows_.clear();
    for (const TrayMenuEntry& entry : entries)
        rows_.push_back(Row{entry.id, ucs2_of_utf8(to_desktop_text(entry.text)), entry.is_default});
    row_height_ = std::max(regular_->ascent + regular_->descent, bold_->ascent + bold_->descent) + row_spacing;
    width_ = 0;
    for (const Row& row : rows_)
        width_ = std::max(width_, text_width(row) + 2 * text_margin);
    height_ = 2 * padding + row_height_ * static_cast<int>(rows_.size());

    ::Window root = DefaultRootWindow(display_);
    ::Window child = None;
    int pointer_x = 0;
    int pointer_y = 0;
    int window_x = 0;
    int window_y = 0;
    unsigned int buttons = 0;
    XQueryPointer(display_, root, &root, &child, &pointer_x, &pointer_y, &window_x, &window_y, &buttons);
    const int screen = DefaultScreen(display_);
    const PopupOrigin origin = popup_origin(pointer_x, pointer_y, width_ + 2 * border, height_ + 2 * border,
                                            DisplayWidth(display_, screen), DisplayHeight(display_, screen));

    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.save_under = True;
    attributes.background_pixel = WhitePixel(display_, screen);
    attributes.border_pixel = BlackPixel(display_, screen);
    attributes.event_mask = ExposureMask | KeyPressMask;
    window_.adopt(XCreateWindow(display_, root, origin.x, origin.y, static_cast<unsigned>(width_),
                                static_cast<unsigned>(height_), border, CopyFromParent, InputOutput, CopyFromParent,
                                CWOverrideRedirect | CWSaveUnder | CWBackPixel | CWBorderPixel | CWEventMask,
                                &attributes));
    XStoreName(display_, window_.id(), "tray menu");
    XMapRaised(display_, window_.id());
    XGrabPointer(display_, window_.id(), False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                 GrabModeAsync, None, None, CurrentTime);
    XGrabKeyboard(display_, window_.id(), False, GrabModeAsync, GrabModeAsync, CurrentTime);
    highlighted_.reset();
    armed_ = false;
    XFlush(display_);
}

void XPopupMenu::close()
{
    if (!window_.exists())
        return;
    XUngrabPointer(display_, CurrentTime);
    XUngrabKeyboard(display_, CurrentTime);
    window_.destroy();
}

bool XPopupMenu::handle(const XEvent& event)
{
    if (!window_.receives(event))
        return false;
    switch (event.type) {
    case Expose:
        if (event.xexpose.count == 0)
            draw();
        break;
    case MotionNotify: {
        const auto row = row_at(event.xmotion.x, event.xmotion.y);
        armed_ = armed_ || row.has_value();
        if (row != highlighted_) {
            highlighted_ = row;
            draw();
        }
        break;
    }
    case ButtonPress:
        if (event.xbutton.x < 0 || event.xbutton.y < 0 || event.xbutton.x >= width_ || event.xbutton.y >= height_)
            close();
        else
            armed_ = true;
        break;
    case ButtonRelease:
        if (const auto row = row_at(event.xbutton.x, event.xbutton.y); row && armed_) {
            const std::uint16_t id = rows_[*row].id;
            close();
            events_.push_back(Event{.kind = EventKind::tray_menu_choice, .menu_id = id});
        }
        break;
    case KeyPress:
        if (XLookupKeysym(const_cast<XKeyEvent*>(&event.xkey), 0) == XK_Escape)
            close();
        break;
    default:
        break;
    }
    return true;
}

XFontStruct* XPopupMenu::font_of(const Row& row) const
{
    return row.is_default ? bold_ : regular_;
}

int XPopupMenu::text_width(const Row& row) const
{
    const std::vector<XChar2b> glyphs = glyphs_of(row.text);
    return XTextWidth16(font_of(row), glyphs.data(), static_cast<int>(glyphs.size()));
}

std::optional<std::size_t> XPopupMenu::row_at(int x, int y) const
{
    return popup_row_at(x, y, width_, padding, row_height_, rows_.size());
}

void XPopupMenu::draw()
{
    const int screen = DefaultScreen(display_);
    GC gc = XCreateGC(display_, window_.id(), 0, nullptr);
    XClearWindow(display_, window_.id());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        const int top = padding + row_height_ * static_cast<int>(i);
        const bool lit = highlighted_ == i;
        if (lit) {
            XSetForeground(display_, gc, BlackPixel(display_, screen));
            XFillRectangle(display_, window_.id(), gc, 0, top, static_cast<unsigned>(width_),
                           static_cast<unsigned>(row_height_));
        }
        XSetForeground(display_, gc, lit ? WhitePixel(display_, screen) : BlackPixel(display_, screen));
        XFontStruct* font = font_of(row);
        XSetFont(display_, gc, font->fid);
        const std::vector<XChar2b> glyphs = glyphs_of(row.text);
        XDrawString16(display_, window_.id(), gc, text_margin, top + row_spacing / 2 + font->ascent, glyphs.data(),
                      static_cast<int>(glyphs.size()));
    }
    XFreeGC(display_, gc);
    XFlush(display_);
}
