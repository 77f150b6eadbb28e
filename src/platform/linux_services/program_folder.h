// SPDX-License-Identifier: GPL-3.0-or-later
// installed_plugins_folder: <prefix>/lib/vorlunde/plugins for a program running from
// <prefix>/bin (read from /proc/self/exe), where the installation keeps its plug-ins; empty
// when /proc cannot tell. installed_skins_folder (platform/installed_skins.h) is defined
// beside it. Any thread.
#pragma once

#include <filesystem>

std::filesystem::path installed_plugins_folder();
