// SPDX-License-Identifier: GPL-3.0-or-later
// make_desktop_platform: the platform of the desktop back end the program is linked with
// (SDL2/X11 on Linux). The entry point calls it once; the caller owns the result.
#pragma once

#include "platform/platform.h"

#include <memory>

std::unique_ptr<Platform> make_desktop_platform();
