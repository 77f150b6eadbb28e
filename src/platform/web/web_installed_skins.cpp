// SPDX-License-Identifier: GPL-3.0-or-later
// installed_skins_folder in the browser: the page puts its one skin in the working folder
// before the player starts, and nothing is installed beside the player.
#include "platform/installed_skins.h"

std::filesystem::path installed_skins_folder()
{
    return {};
}
