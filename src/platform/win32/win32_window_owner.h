// window_owner: the object a window procedure works for, the last argument of the
// CreateWindowExW call that made the window; kept in the window's GWLP_USERDATA from
// WM_NCCREATE on. nullptr for the few messages before it. UI thread only.
#pragma once

#include <windows.h>

template <class Owner>
Owner* window_owner(HWND window, UINT message, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
