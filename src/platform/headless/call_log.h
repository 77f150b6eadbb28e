// SPDX-License-Identifier: GPL-3.0-or-later
// CallLog: the ordered record of the calls that headless platform objects received, one
// short line each ("window show", "timer stop", "tray remove"), so tests can check what
// happened and in which order. Owned by the HeadlessPlatform. Not thread-safe.
#pragma once

#include <string>
#include <vector>

using CallLog = std::vector<std::string>;
