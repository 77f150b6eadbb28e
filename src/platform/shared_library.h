// SPDX-License-Identifier: GPL-3.0-or-later
// SharedLibrary: one loaded shared library (a plug-in). Unloaded when the object goes away,
// so every symbol taken from it must be dropped first. UI thread only.
#pragma once

#include <string_view>

class SharedLibrary {
public:
    virtual ~SharedLibrary() = default;

    // The address of the exported symbol `name`, or nullptr when the library has none.
    virtual void* symbol(std::string_view name) const = 0;
};
