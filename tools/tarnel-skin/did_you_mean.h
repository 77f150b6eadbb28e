// SPDX-License-Identifier: GPL-3.0-or-later
// did_you_mean: the suggestion a message adds for a misspelt name: "; did you mean X?" naming
// the closest of `known` (letters compared without case, at most a third of the name's
// length edits away, and at least one), or "" when none is that close. Plain function.
#pragma once

#include <string>
#include <string_view>
#include <vector>

std::string did_you_mean(std::string_view name, const std::vector<std::string>& known);
