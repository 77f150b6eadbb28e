// SPDX-License-Identifier: GPL-3.0-or-later
// installed_skins_folder: the folder of skins that this program's own installation holds,
// found from the running executable's folder, so that an unpacked or moved installation finds
// its own: <prefix>/share/vorlunde/skins for <prefix>/bin/vorlunde on Linux, skins\ beside
// vorlunde.exe on Windows. Empty when the executable's folder cannot be found. Defined by the
// desktop back end the program is linked with (empty in the browser). Any thread.
#pragma once

#include <filesystem>

std::filesystem::path installed_skins_folder();
