// SPDX-License-Identifier: GPL-3.0-or-later
// window_owner: the object a window procedure works for, the last argument of the
// CreateWindowExW call that made the window; kept in the window's GWLP_USERDATA from
// WM_NCCREATE on. nullptr for the few messages before it.
// create_hidden_window / destroy_hidden_window: an invisible window of a class of its own that
// only receives messages (the wake-up window, the tray's), for `owner`. UI thread only.
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

// Registers `class_name` for `procedure` and creates a window of it with `style` under `parent`
// (HWND_MESSAGE: a message-only window); nullptr, with the class unregistered again, when
// either fails.
inline HWND create_hidden_window(const wchar_t* class_name, WNDPROC procedure, DWORD style, HWND parent, void* owner)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.lpszClassName = class_name;
    if (!RegisterClassExW(&window_class))
        return nullptr;
    const HWND window = CreateWindowExW(0, class_name, L"", style, 0, 0, 0, 0, parent, nullptr, instance, owner);
    if (!window)
        UnregisterClassW(class_name, instance);
    return window;
}

inline void destroy_hidden_window(HWND window, const wchar_t* class_name)
{
    DestroyWindow(window);
    UnregisterClassW(class_name, GetModuleHandleW(nullptr));
}
