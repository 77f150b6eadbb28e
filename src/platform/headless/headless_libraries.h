// SPDX-License-Identifier: GPL-3.0-or-later
// HeadlessLibraries: Libraries without files: a test registers a library name with its
// symbols (name → address); load() of any other name fails. Unloads go to the CallLog
// ("library unload NAME"). Not thread-safe.
#pragma once

#include "platform/headless/call_log.h"
#include "platform/libraries.h"

#include <map>
#include <string>

class HeadlessLibraries final : public Libraries {
public:
    using Symbols = std::map<std::string, void*, std::less<>>;

    explicit HeadlessLibraries(CallLog& log) : log_(log) {}

    // Makes `file_name` loadable with `symbols`.
    void add(const std::string& file_name, Symbols symbols) { libraries_[file_name] = std::move(symbols); }

    std::unique_ptr<SharedLibrary> load(const std::string& file_name) override;

private:
    CallLog& log_;
    std::map<std::string, Symbols> libraries_;
};
