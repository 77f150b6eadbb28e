// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web/web_libraries.h"

#include "base/desktop_text.h"
#include "platform/web/web_builtin_plugins.h"

#include <cstdio>
#include <filesystem>

namespace {

class BuiltinLibrary final : public SharedLibrary {
public:
    explicit BuiltinLibrary(const BuiltinPlugin& plugin) : plugin_(plugin) {}

    void* symbol(std::string_view name) const override
    {
        if (name == "PluginCreateProc")
            return reinterpret_cast<void*>(plugin_.create);
        if (name == "PluginDestroyProc")
            return reinterpret_cast<void*>(plugin_.destroy);
        return nullptr;
    }

private:
    const BuiltinPlugin& plugin_;
};

} // namespace

std::unique_ptr<SharedLibrary> WebLibraries::load(const std::string& file_name)
{
    std::string stem = std::filesystem::path(file_name).stem().string();
    if (const BuiltinPlugin* plugin = find_builtin_plugin(stem))
        return std::make_unique<BuiltinLibrary>(*plugin);
    if (reported_.insert(stem).second)
        std::printf("plug-in %s is not built into the web player: the skin runs without it\n", to_message_line(file_name).c_str());
    return nullptr;
}
