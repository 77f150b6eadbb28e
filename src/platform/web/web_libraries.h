// SPDX-License-Identifier: GPL-3.0-or-later
// WebLibraries: the browser loads no shared libraries. The plug-ins whose source is in the
// project are built into the web player (web_builtin_plugins.cpp) and found by their file
// name without folder and extension ("plugins/bar_scope.so" is bar_scope); any other name
// loads nothing and says so once on the console. Main thread only.
#pragma once

#include "platform/libraries.h"

#include <set>

class WebLibraries final : public Libraries {
public:
    std::unique_ptr<SharedLibrary> load(const std::string& file_name) override;

private:
    std::set<std::string> reported_;
};
