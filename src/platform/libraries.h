// SPDX-License-Identifier: GPL-3.0-or-later
// Libraries: loads shared libraries by file name. UI thread only.
#pragma once

#include "platform/shared_library.h"

#include <memory>
#include <string>

class Libraries {
public:
    virtual ~Libraries() = default;

    // Loads `file_name` (a path, or a name the system's search finds); nullptr on failure.
    virtual std::unique_ptr<SharedLibrary> load(const std::string& file_name) = 0;
};
