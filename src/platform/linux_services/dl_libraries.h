// SPDX-License-Identifier: GPL-3.0-or-later
// DlLibraries: shared libraries through dlopen (symbols resolved at load, kept local). A
// relative name the loader does not find is looked for, by its file name, in the installed
// plug-in folder (<prefix>/lib/vorlunde/plugins beside the program's <prefix>/bin).
// UI thread only.
#pragma once

#include "platform/libraries.h"

class DlLibraries final : public Libraries {
public:
    std::unique_ptr<SharedLibrary> load(const std::string& file_name) override;
};
