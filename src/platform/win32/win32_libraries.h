// SPDX-License-Identifier: GPL-3.0-or-later
// Win32Libraries: plug-in DLLs through LoadLibraryW, GetProcAddress and FreeLibrary. The file
// name is a skin byte string, converted to UTF-16 like every other skin text. UI thread only.
#pragma once

#include "platform/libraries.h"

class Win32Libraries final : public Libraries {
public:
    std::unique_ptr<SharedLibrary> load(const std::string& file_name) override;
};
