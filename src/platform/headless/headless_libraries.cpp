// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/headless_libraries.h"

namespace {

class HeadlessLibrary final : public SharedLibrary {
public:
    HeadlessLibrary(std::string name, const HeadlessLibraries::Symbols& symbols, CallLog& log)
        : name_(std::move(name)), symbols_(symbols), log_(log)
    {
    }
    ~HeadlessLibrary() override { log_.push_back("library unload " + name_); }

    void* symbol(std::string_view name) const override
    {
        const auto found = symbols_.find(name);
        return found == symbols_.end() ? nullptr : found->second;
    }

private:
    std::string name_;
    HeadlessLibraries::Symbols symbols_;
    CallLog& log_;
};

} // namespace

std::unique_ptr<SharedLibrary> HeadlessLibraries::load(const std::string& file_name)
{
    const auto found = libraries_.find(file_name);
    if (found == libraries_.end())
        return nullptr;
    log_.push_back("library load " + file_name);
    return std::make_unique<HeadlessLibrary>(file_name, found->second, log_);
}
