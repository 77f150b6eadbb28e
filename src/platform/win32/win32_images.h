// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own icon and arrow cursor (program_images.h) as Win32 handles, made with
// CreateIconIndirect from a 32-bit colour bitmap with alpha and a mask that hides the
// transparent pixels. The handles are owned: DestroyIcon when they go. UI thread only.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

struct IconDestroyer {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using OwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

// nullptr when the system refuses to make it (the class defaults are used then).
OwnedIcon make_program_icon();
// Its hot spot is the top-left pixel.
OwnedIcon make_arrow_cursor();
