// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_libraries.h"

#include "platform/win32/win32_text.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace {

class Win32Library final : public SharedLibrary {
public:
    explicit Win32Library(HMODULE module) : module_(module) {}
    ~Win32Library() override { FreeLibrary(module_); }
    Win32Library(const Win32Library&) = delete;
    Win32Library& operator=(const Win32Library&) = delete;

    void* symbol(std::string_view name) const override
    {
        const FARPROC address = GetProcAddress(module_, std::string(name).c_str());
        // A code address handed on as a plain pointer, as dlsym does.
        return reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(address));
    }

private:
    HMODULE module_;
};

} // namespace

std::unique_ptr<SharedLibrary> Win32Libraries::load(const std::string& file_name)
{
    const std::wstring wide = desktop_wide(file_name);
    if (wide.empty())
        return nullptr;
    // No "cannot find the DLL" box from the system: the caller reports the failure itself.
    const UINT previous_mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryW(wide.c_str());
    SetErrorMode(previous_mode);
    if (!module)
        return nullptr;
    return std::make_unique<Win32Library>(module);
}
