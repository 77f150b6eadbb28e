// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/dl_libraries.h"

#include <dlfcn.h>

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

} // namespace

std::unique_ptr<SharedLibrary> DlLibraries::load(const std::string& file_name)
{
    void* handle = dlopen(file_name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    return std::make_unique<DlLibrary>(handle);
}
