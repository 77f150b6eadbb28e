// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/x11_part_upload.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

std::unique_ptr<X11PartUpload> X11PartUpload::of(const X11Desktop& desktop)
{
    XWindowAttributes attributes{};
    if (!desktop.display() || !XGetWindowAttributes(desktop.display(), desktop.window(), &attributes) ||
        !attributes.visual || (attributes.depth != 24 && attributes.depth != 32))
        return nullptr;
    const Visual& visual = *attributes.visual;
    return std::make_unique<X11PartUpload>(desktop.display(), desktop.window(), attributes.depth,
                                           std::array{visual.red_mask, visual.green_mask, visual.blue_mask});
}

X11PartUpload::X11PartUpload(_XDisplay* display, unsigned long window, int depth,
                             std::array<unsigned long, 3> colour_masks)
    : display_(display), window_(window), depth_(depth), colour_masks_(colour_masks)
{
    XGCValues values{};
    values.graphics_exposures = False;
    gc_ = XCreateGC(display_, window_, GCGraphicsExposures, &values);
}

X11PartUpload::~X11PartUpload()
{
    if (gc_)
        XFreeGC(display_, gc_);
}

bool X11PartUpload::put(const SDL_Surface& surface, std::span<const SDL_Rect> parts)
{
    // An image header over the surface's pixels, in this machine's byte order (Xlib swaps
    // for a server of the other order).
    XImage image{};
    image.width = surface.w;
    image.height = surface.h;
    image.format = ZPixmap;
    image.data = static_cast<char*>(surface.pixels);
    image.byte_order = SDL_BYTEORDER == SDL_BIG_ENDIAN ? MSBFirst : LSBFirst;
    image.bitmap_unit = 32;
    image.bitmap_bit_order = image.byte_order;
    image.bitmap_pad = 32;
    image.depth = depth_;
    image.bytes_per_line = surface.pitch;
    image.bits_per_pixel = 32;
    image.red_mask = colour_masks_[0];
    image.green_mask = colour_masks_[1];
    image.blue_mask = colour_masks_[2];
    if (!gc_ || !XInitImage(&image))
        return false;
    for (const SDL_Rect& part : parts)
        XPutImage(display_, window_, gc_, &image, part.x, part.y, part.x, part.y, static_cast<unsigned>(part.w),
                  static_cast<unsigned>(part.h));
    XFlush(display_);
    return true;
}
