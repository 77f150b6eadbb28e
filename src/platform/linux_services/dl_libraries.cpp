// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/dl_libraries.h"

#include "platform/linux_services/program_folder.h"

#include <dlfcn.h>

#include <filesystem>
#include <string>

namespace {

class DlLibrary final : public SharedLibrary {
public:
    explicit DlLibrary(void* handle) : handle_(handle) {}
    ~DlLibrary() override { dlclose(handle_); }
    DlLibrary(const DlLibrary&) = delete;
    DlLibrary& operator=(const DlLibrary&) = delete;

    void* symbol(std::string_view name) const override { return dlsym(handle_, std::string(name).c_str()); }

private:
    void* handle_;
};

void* open_library(const std::filesystem::path& path)
{
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

// A relative name the loader did not find (a skin's "./scope.so" that is not in its folder)
// is taken from the installation's plug-in folder, so installed skins share one copy.
void* open_installed_plugin(const std::filesystem::path& name)
{
    const std::filesystem::path folder = installed_plugins_folder();
    if (name.is_absolute() || !name.has_filename() || folder.empty())
        return nullptr;
    return open_library(folder / name.filename());
}

} // namespace

std::unique_ptr<SharedLibrary> DlLibraries::load(const std::string& file_name)
{
    void* handle = open_library(file_name);
    if (!handle)
        handle = open_installed_plugin(file_name);
    if (!handle)
        return nullptr;
    return std::make_unique<DlLibrary>(handle);
}
