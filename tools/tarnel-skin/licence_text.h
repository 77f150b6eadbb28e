// SPDX-License-Identifier: GPL-3.0-or-later
// licence_text: the player's licence (the sources' LICENSE, the GNU General Public License
// version 3), which `tarnel-skin package --windows` ships beside the player.
#pragma once

#include <string_view>

std::string_view licence_text();
