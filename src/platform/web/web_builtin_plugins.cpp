// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web/web_builtin_plugins.h"

#include <array>

// Each plug-in's source is compiled with its entry points renamed to these (cmake/web-programs.cmake).
extern "C" VorlundePlugin* bar_scope_PluginCreateProc();
extern "C" void bar_scope_PluginDestroyProc(VorlundePlugin* plugin);

namespace {

constexpr std::array builtin_plugins{
    BuiltinPlugin{"bar_scope", bar_scope_PluginCreateProc, bar_scope_PluginDestroyProc},
};

} // namespace

const BuiltinPlugin* find_builtin_plugin(std::string_view name)
{
    for (const BuiltinPlugin& plugin : builtin_plugins) {
        if (plugin.name == name)
            return &plugin;
    }
    return nullptr;
}
