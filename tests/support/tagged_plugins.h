// SPDX-License-Identifier: GPL-3.0-or-later
// Plug-ins for tests without libraries: tagged_plugin_library<'a'>() gives the symbols of a
// library whose plug-in records "a start" and "a draw" in plugin_calls(). Register them with
// HeadlessLibraries::add.
#pragma once

#include "platform/headless/headless_libraries.h"
#include "vorlunde/plugin.h"

#include <string>
#include <vector>

inline std::vector<std::string>& plugin_calls()
{
    static std::vector<std::string> calls;
    return calls;
}

template <char Tag>
class TaggedPlugin final : public VorlundePlugin {
public:
    void start(PluginContext*) override { plugin_calls().push_back(std::string(1, Tag) + " start"); }
    void draw(PluginContext*) override { plugin_calls().push_back(std::string(1, Tag) + " draw"); }
    ~TaggedPlugin() = default;

    static VorlundePlugin* create() { return new TaggedPlugin; }
    static void destroy(VorlundePlugin* plugin) { delete static_cast<TaggedPlugin*>(plugin); }
};

template <char Tag>
HeadlessLibraries::Symbols tagged_plugin_library()
{
    return {{"PluginCreateProc", reinterpret_cast<void*>(&TaggedPlugin<Tag>::create)},
            {"PluginDestroyProc", reinterpret_cast<void*>(&TaggedPlugin<Tag>::destroy)}};
}
