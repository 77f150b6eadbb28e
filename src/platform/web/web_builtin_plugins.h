// SPDX-License-Identifier: GPL-3.0-or-later
// The plug-ins built into the web player, by name (a plug-in's file name without folder and
// extension): their two entry points, compiled in under names of their own.
#pragma once

#include <string_view>

struct VorlundePlugin;

struct BuiltinPlugin {
    std::string_view name;
    VorlundePlugin* (*create)();
    void (*destroy)(VorlundePlugin*);
};

// The plug-in named `name`, or nullptr.
const BuiltinPlugin* find_builtin_plugin(std::string_view name);
